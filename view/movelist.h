#pragma once

#include <QTableView>

class CZelkanDoc;
class MoveListModel;

// The move list pane: the line through the current node, one row per ply, with the current
// row selected and kept in view. Clicking a row, or moving to it with the keys, goes there as
// stepping does. The document is borrowed.
class CMoveList : public QTableView {
    Q_OBJECT

  public:
    explicit CMoveList(CZelkanDoc& doc, QWidget* parent = nullptr);
    ~CMoveList() override;

    MoveListModel& Model() const { return *m_model; }
    QSize sizeHint() const override;

  protected:
    // A list shown again scrolls to the current row, which it could not while hidden.
    void showEvent(QShowEvent* event) override;

  private:
    // Selects the current row and scrolls it into view.
    void ShowCurrentRow();
    void OnCurrentRowChanged(const QModelIndex& current);

    MoveListModel* m_model;
    // Set while the list shows the document's place: the change of row goes nowhere.
    bool m_following = false;
};
