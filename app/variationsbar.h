#pragma once

#include <QComboBox>
#include <QStringList>
#include <QToolBar>
#include <functional>

class CZelkanDoc;
class QAction;

// The variations list: a drop-down list that reports when its list part closes, and opens that
// part to its number of visible items, scrolling, and to its longest label, whatever the widget
// style.
class VariationsComboBox : public QComboBox {
    Q_OBJECT

  public:
    using QComboBox::QComboBox;
    bool IsPopupOpen() const;
    void showPopup() override;
    void hidePopup() override;

  signals:
    void closedUp();

  private:
    void FitPopup();
    QPoint PopupPlace(QSize size) const;
};

// The tool bar: the buttons of the command table and, between Backward and Forward, the list
// of the current position's continuations. The list follows the document: it shows the
// continuations of the current node and the document's choice among them, and is left alone
// only while its list part is open. Choosing an entry only records the choice in the
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

    QComboBox* ComboBox() const { return m_comboBox; }

  private:
    QStringList ContinuationLabels() const;
    bool ListDiffers(const QStringList& labels) const;
    // Relists the continuations when the labels changed, and shows the document's choice.
    void Refill();
    void ShowSelection(int index);
    void OnDocumentUpdated();
    void OnSelEndOk(int index);
    void OnCloseUp();

    CZelkanDoc& m_doc;
    QFont m_font;
    VariationsComboBox* m_comboBox = nullptr;
    QWidget* m_focusTarget = nullptr;
    // The document changed while the list part was open: refill when it closes.
    bool m_refillPending = false;
};
