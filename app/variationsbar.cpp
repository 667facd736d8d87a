#include "app/variationsbar.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <QStatusTipEvent>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/commandtable.h"
#include "document/gamewords.h"
#include "document/zelkandoc.h"
#include "format/esn/notation.h"
#include "format/kif/japaneselabels.h"
#include "view/commandids.h"
#include "view/controlid.h"
#include "view/textcodec.h"

namespace {

// The list is this many of its own average characters wide, and opens to six whole rows.
constexpr int ListWidthChars = 20;
constexpr int ListRows = 6;
constexpr int ListPointSize = 8;

}  // namespace

bool VariationsComboBox::IsPopupOpen() const {
    return view()->isVisible();
}

void VariationsComboBox::showPopup() {
    QComboBox::showPopup();
    FitPopup();
}

void VariationsComboBox::hidePopup() {
    QComboBox::hidePopup();
    emit closedUp();
}

// Styles size the open list each their own way: some as tall as the screen allows, some to
// rows of another height than its own, and most no wider than the box. Make it show exactly
// its number of visible rows, scrolling to the rest, below the box (above it when the screen
// has no room below), and as wide as its longest label.
void VariationsComboBox::FitPopup() {
    QWidget* popup = view()->window();
    if (popup == window()) return;
    const int row = std::max(1, view()->sizeHintForRow(0));
    const QSize content(view()->sizeHintForColumn(0), std::min(count(), maxVisibleItems()) * row);
    view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The frame around the rows may change with the size (scroll arrows come and go): a second
    // pass takes the new one.
    for (int pass = 0; pass < 2; ++pass) {
        const QSize frame = popup->size() - view()->viewport()->size();
        const QSize wanted(std::max(popup->width(), content.width() + frame.width()),
                           content.height() + frame.height());
        if (popup->size() == wanted) break;
        popup->setGeometry(QRect(PopupPlace(wanted), wanted));
    }
    view()->scrollTo(view()->currentIndex());
}

// Below the box, or above it when the screen has no room below; within the screen sideways.
QPoint VariationsComboBox::PopupPlace(QSize size) const {
    QPoint at = mapToGlobal(QPoint(0, height()));
    const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect();
    if (!screen.isValid()) return at;
    if (at.y() + size.height() > screen.bottom() + 1)
        at = mapToGlobal(QPoint(0, 0)) - QPoint(0, size.height());
    at.setX(std::max(screen.left(), std::min(at.x(), screen.right() + 1 - size.width())));
    return at;
}

CVariationsBar::CVariationsBar(CZelkanDoc& doc, QWidget* parent)
    : QToolBar(parent), m_doc(doc), m_font(QApplication::font()) {
    setObjectName(QStringLiteral("toolBar"));
    SetControlId(*this, AFX_IDW_TOOLBAR);
    // Fixed under the menu: it cannot be dragged off, floated or hidden.
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 15));

    m_font.setPointSize(ListPointSize);
    m_font.setWeight(QFont::Normal);
    m_font.setItalic(false);
    m_font.setUnderline(false);
    m_font.setStrikeOut(false);

    m_comboBox = new VariationsComboBox(this);
    m_comboBox->setObjectName(QStringLiteral("variations"));
    SetControlId(*m_comboBox, IDC_VARIATIONS);
    m_comboBox->setFont(m_font);
    m_comboBox->setEditable(false);
    m_comboBox->setInsertPolicy(QComboBox::InsertAtBottom);
    const QFontMetrics metrics(m_font);
    m_comboBox->setFixedWidth(ListWidthChars * metrics.averageCharWidth());
    m_comboBox->setMaxVisibleItems(ListRows);
    m_comboBox->setToolTip(ToolTipFor(IDC_VARIATIONS));
    m_comboBox->setStatusTip(StatusTipFor(IDC_VARIATIONS));
    m_comboBox->setCurrentIndex(-1);

    connect(m_comboBox, &QComboBox::activated, this, &CVariationsBar::OnSelEndOk);
    connect(m_comboBox, &VariationsComboBox::closedUp, this, &CVariationsBar::OnCloseUp);
    connect(&m_doc, &CZelkanDoc::recordReplaced, this, &CVariationsBar::OnDocumentUpdated);
    connect(&m_doc, &CZelkanDoc::currentNodeChanged, this, &CVariationsBar::OnDocumentUpdated);
    connect(&m_doc, &CZelkanDoc::nodeChanged, this, &CVariationsBar::OnDocumentUpdated);
    connect(&m_doc, &CZelkanDoc::notationChanged, this, &CVariationsBar::OnDocumentUpdated);
    connect(&m_doc, &CZelkanDoc::selectionChanged, this, &CVariationsBar::ShowSelection);
    Refill();
}

CVariationsBar::~CVariationsBar() {
    // The list closes up while it is destroyed with the bar; nothing is left to tell then.
    disconnect(m_comboBox, nullptr, this, nullptr);
}

void CVariationsBar::AddButtons(const std::function<QAction*(int)>& actionById) {
    const std::vector<int>& layout = ToolBarLayout();
    for (std::size_t i = 0; i < layout.size(); ++i) {
        if (static_cast<int>(i) == VariationsEntryIndex) {
            addWidget(m_comboBox);
        } else if (layout[i] == SeparatorId) {
            addSeparator();
        } else if (QAction* action = actionById(layout[i])) {
            addAction(action);
        }
    }
}

QStringList CVariationsBar::ContinuationLabels() const {
    std::vector<std::string> labels;
    if (m_doc.IsJapaneseNotation())
        GetJapaneseContinuationList(m_doc.Record(), labels);
    else
        GetContinuationList(m_doc.Record(), labels);
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(labels.size()));
    for (const std::string& label : labels)
        texts.append(DecodeText(label));
    if (m_doc.IsJapaneseNotation()) return texts;
    // A result after its number ("12. Resigns") is named in the program's language.
    qsizetype i = 0;
    for (const ContinuationCell* cell = m_doc.Record().Current().FirstChild(); cell;
         cell = cell->next.get(), ++i) {
        const std::optional<GameResult> result = cell->node->Result();
        if (!result || i >= texts.size()) continue;
        const qsizetype english = static_cast<qsizetype>(std::strlen(ResultLabel(*result)));
        texts[i] = texts[i].chopped(english) + ResultLabelWords(*result);
    }
    return texts;
}

bool CVariationsBar::ListDiffers(const QStringList& labels) const {
    if (m_comboBox->count() != labels.size()) return true;
    for (int i = 0; i < m_comboBox->count(); ++i) {
        if (m_comboBox->itemText(i) != labels[i]) return true;
    }
    return false;
}

void CVariationsBar::OnDocumentUpdated() {
    // The user is choosing in the open list: it changes under nobody's hand.
    if (m_comboBox->IsPopupOpen()) {
        m_refillPending = true;
        return;
    }
    Refill();
}

void CVariationsBar::Refill() {
    m_refillPending = false;
    const QStringList labels = ContinuationLabels();
    // Unchanged labels leave the entries alone, so that the list does not flicker.
    if (ListDiffers(labels)) {
        m_comboBox->clear();
        m_comboBox->addItems(labels);
    }
    ShowSelection(m_doc.SelectedVariation());
}

void CVariationsBar::ShowSelection(int index) {
    if (m_comboBox->IsPopupOpen()) return;
    m_comboBox->setCurrentIndex(index >= 0 && index < m_comboBox->count() ? index : -1);
}

void CVariationsBar::OnSelEndOk(int index) {
    // Only the choice is recorded: nothing moves and nothing is modified.
    // A choice made in a list that the document has moved away from names nothing there.
    if (index >= 0 && !m_refillPending) m_doc.SelectVariation(index);
}

void CVariationsBar::OnCloseUp() {
    // The open list holds the pointer, and the box may never hear that it left: its prompt
    // would stay through whatever comes next. "Ready" returns when the list closes.
    QStatusTipEvent noTip{QString()};
    QCoreApplication::sendEvent(m_comboBox, &noTip);
    // After the list has reported the choice made in it, which is then dropped.
    if (m_refillPending)
        QMetaObject::invokeMethod(this, &CVariationsBar::Refill, Qt::QueuedConnection);
    if (m_focusTarget != nullptr) m_focusTarget->setFocus(Qt::OtherFocusReason);
}
