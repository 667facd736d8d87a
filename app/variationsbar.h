#pragma once

#include <QComboBox>
#include <QStringList>
#include <QToolBar>
#include <functional>

class CZelkanDoc;
class QAction;

// The variations list: a drop-down list that reports when its list part closes.
class VariationsComboBox : public QComboBox {
    Q_OBJECT

  public:
    using QComboBox::QComboBox;
    void hidePopup() override;

  signals:
    void closedUp();
};

// The tool bar: the buttons of the command table and, between Backward and Forward, the list
// of the current position's continuations. Choosing an entry only records the choice in the
// document; Forward, End and Delete then use it. The document is borrowed.
class CVariationsBar : public QToolBar {
    Q_OBJECT

  public:
    explicit CVariationsBar(CZelkanDoc& doc, QWidget* parent = nullptr);
    ~CVariationsBar() override;

    // Lays out the buttons: the action of each command id, separators, and the list in
    // the place of the separator between Backward and Forward.
    void AddButtons(const std::function<QAction*(int)>& actionById);
    // The widget that takes the keyboard focus when the list closes (the view).
    void SetFocusTarget(QWidget* target) { m_focusTarget = target; }

    // The idle-time refill: relists the continuations when their labels changed, never while
    // the user works in the list.
    void Refill();

    QComboBox* ComboBox() const { return m_comboBox; }

  private:
    QStringList ContinuationLabels() const;
    bool ListDiffers(const QStringList& labels) const;
    void Rebuild(const QStringList& labels);
    void OnSelEndOk(int index);
    void OnCloseUp();

    CZelkanDoc& m_doc;
    QFont m_font;
    VariationsComboBox* m_comboBox = nullptr;
    QWidget* m_focusTarget = nullptr;
};
