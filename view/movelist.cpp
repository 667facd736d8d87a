#include "view/movelist.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScopedValueRollback>
#include <QScrollBar>

#include "view/movelistmodel.h"

namespace {

// Room for a seven-digit move number and for both marks.
const QString WidestNumber = QStringLiteral("0000000");
const QString WidestMarks = QStringLiteral("+*");
const QString TypicalMove = QStringLiteral("▲５八金左上成");

}  // namespace

CMoveList::CMoveList(CZelkanDoc& doc, QWidget* parent)
    : QTableView(parent), m_model(new MoveListModel(doc, this)) {
    setObjectName(QStringLiteral("moveList"));
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    // Every row as tall as a line of text, and no column measured from its contents: a view
    // that measured them would read every row of a long line.
    const QFontMetrics metrics = fontMetrics();
    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(metrics.height() + 4);
    QHeaderView* columns = horizontalHeader();
    columns->hide();
    columns->setMinimumSectionSize(1);
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setSectionResizeMode(MoveListModel::MoveColumn, QHeaderView::Stretch);
    columns->resizeSection(MoveListModel::NumberColumn, metrics.horizontalAdvance(WidestNumber));
    columns->resizeSection(MoveListModel::MarksColumn, metrics.horizontalAdvance(WidestMarks) + 8);

    connect(m_model, &MoveListModel::placeChanged, this, &CMoveList::ShowCurrentRow);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &CMoveList::OnCurrentRowChanged);
    ShowCurrentRow();
}

CMoveList::~CMoveList() = default;

QSize CMoveList::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const int width = metrics.horizontalAdvance(WidestNumber + TypicalMove + WidestMarks) + 24 +
                      verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
    return {width, QTableView::sizeHint().height()};
}

void CMoveList::showEvent(QShowEvent* event) {
    QTableView::showEvent(event);
    // Once the list has its size.
    QMetaObject::invokeMethod(this, &CMoveList::ShowCurrentRow, Qt::QueuedConnection);
}

void CMoveList::ShowCurrentRow() {
    const QModelIndex current = m_model->index(m_model->CurrentRow(), MoveListModel::MoveColumn);
    if (!current.isValid()) return;
    const QScopedValueRollback following(m_following, true);
    if (currentIndex().row() != current.row() ||
        !selectionModel()->isRowSelected(current.row(), {}))
        selectionModel()->setCurrentIndex(
            current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(current);
}

void CMoveList::OnCurrentRowChanged(const QModelIndex& current) {
    if (!m_following && !m_model->IsFollowing() && current.isValid())
        m_model->GoToRow(current.row());
}
