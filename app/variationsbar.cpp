#include "app/variationsbar.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <algorithm>
#include <string>
#include <vector>

#include "app/commandids.h"
#include "app/commandtable.h"
#include "app/textcodec.h"
#include "app/zelkandoc.h"
#include "esn/notation.h"

namespace {

// The list is this many of its own average characters wide, and opens to about six lines in
// all, the closed box included.
constexpr int ListWidthChars = 20;
constexpr int ListHeightLines = 6;
constexpr int ListPointSize = 8;

}  // namespace

void VariationsComboBox::hidePopup() {
    QComboBox::hidePopup();
    emit closedUp();
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
    const int lineHeight = metrics.height() + metrics.leading();
    const int dropLines =
        (ListHeightLines * lineHeight - m_comboBox->sizeHint().height()) / std::max(1, lineHeight);
    m_comboBox->setMaxVisibleItems(std::max(1, dropLines));
    m_comboBox->setToolTip(ToolTipFor(IDC_VARIATIONS));
    m_comboBox->setStatusTip(StatusTipFor(IDC_VARIATIONS));
    m_comboBox->setCurrentIndex(-1);

    connect(m_comboBox, &QComboBox::activated, this, &CVariationsBar::OnSelEndOk);
    connect(m_comboBox, &VariationsComboBox::closedUp, this, &CVariationsBar::OnCloseUp);
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
    GetContinuationList(m_doc.m_record, labels);
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(labels.size()));
    for (const std::string& label : labels)
        texts.append(DecodeText(label));
    return texts;
}

bool CVariationsBar::ListDiffers(const QStringList& labels) const {
    if (m_comboBox->count() != labels.size()) return true;
    for (int i = 0; i < m_comboBox->count(); ++i) {
        if (m_comboBox->itemText(i) != labels[i]) return true;
    }
    return false;
}

void CVariationsBar::Refill() {
    // The list is never changed while the user is working in it.
    if (m_comboBox->hasFocus() || m_comboBox->view()->isVisible()) return;
    const QStringList labels = ContinuationLabels();
    // Unchanged labels leave the list alone, so it does not flicker, and its shown choice
    // stays as it is.
    if (!ListDiffers(labels)) return;
    Rebuild(labels);
}

void CVariationsBar::Rebuild(const QStringList& labels) {
    m_comboBox->clear();
    if (labels.isEmpty()) {
        m_comboBox->setCurrentIndex(-1);
        return;
    }
    m_comboBox->addItems(labels);
    const int selected = m_doc.m_selectedVariation;
    m_comboBox->setCurrentIndex(selected >= 0 && selected < labels.size() ? selected : -1);
}

void CVariationsBar::OnSelEndOk(int index) {
    // Only the choice is recorded: nothing moves and nothing is modified.
    if (index >= 0) m_doc.m_selectedVariation = index;
}

void CVariationsBar::OnCloseUp() {
    if (m_focusTarget != nullptr) m_focusTarget->setFocus(Qt::OtherFocusReason);
}
