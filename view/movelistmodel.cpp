#include "view/movelistmodel.h"

#include <QScopedValueRollback>
#include <algorithm>
#include <optional>

#include "document/gamewords.h"
#include "document/zelkandoc.h"
#include "format/esn/notation.h"
#include "format/kif/japanesenotation.h"
#include "format/kif/ki2move.h"
#include "model/gamerecord.h"
#include "model/nodepath.h"

namespace {

// A position is kept every this many plies: a row's move text replays at most this many moves.
constexpr int Interval = 64;

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

MoveListModel::MoveListModel(CZelkanDoc& doc, QObject* parent)
    : QAbstractTableModel(parent), m_doc(doc) {
    connect(&m_doc, &CZelkanDoc::recordReplaced, this, &MoveListModel::OnRecordReplaced);
    connect(&m_doc, &CZelkanDoc::nodeChanged, this, &MoveListModel::OnNodeChanged);
    connect(&m_doc, &CZelkanDoc::currentNodeChanged, this, &MoveListModel::OnCurrentNodeChanged);
    connect(&m_doc, &CZelkanDoc::notationChanged, this, &MoveListModel::OnNotationChanged);
    connect(&m_doc, &CZelkanDoc::textsChanged, this, &MoveListModel::OnTextsChanged);
    OnRecordReplaced();
}

MoveListModel::~MoveListModel() = default;

int MoveListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_line.size());
}

int MoveListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MoveListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const int row = index.row();
    if (role == Qt::TextAlignmentRole && index.column() == NumberColumn)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
        case NumberColumn:
            return row == 0 ? QString() : QString::number(row);
        case MoveColumn:
            return MoveText(row);
        case MarksColumn:
            return Marks(row);
        default:
            return {};
    }
}

void MoveListModel::GoToRow(int row) {
    if (row < 0 || row >= rowCount() || row == m_current) return;
    NodePath path = m_doc.Record().CurrentPath();
    for (int ply = m_current; ply > row; --ply)
        path.Pop();
    // The rows below the current node follow its main continuation.
    if (row > m_current) path.Push(0, row - m_current);
    m_doc.GoToPath(path);
}

QString MoveListModel::PlaceText() const {
    // At a result the moves before it are all played.
    const int ply = m_line[m_current]->IsResult() ? m_current - 1 : m_current;
    return (m_doc.Record().CurrentPath().IsMainLine() ? tr("Move %1 of %2")
                                                      : tr("Move %1 of %2 in a variation"))
        .arg(ply)
        .arg(m_moves);
}

void MoveListModel::OnRecordReplaced() {
    const QScopedValueRollback following(m_following, true);
    beginResetModel();
    m_line.assign(1, &m_doc.Record().Root());
    m_branches.clear();
    m_kept.assign(1, m_doc.Record().StartPosition());
    m_lastRow = -1;
    m_current = 0;
    m_moves = 0;
    endResetModel();
    FollowCurrent(1, true);
    emit placeChanged();
}

void MoveListModel::OnNodeChanged(const MoveNode* node) {
    // Only the continuations below the node changed: the line changed only if it holds it.
    if (node == nullptr || !Holds(*node, rowCount())) return;
    FollowCurrent(node->number + 1, true);
    emit placeChanged();
}

void MoveListModel::OnCurrentNodeChanged() {
    FollowCurrent(rowCount(), false);
    emit placeChanged();
}

void MoveListModel::OnNotationChanged() {
    emit dataChanged(index(0, MoveColumn), index(rowCount() - 1, MoveColumn));
}

void MoveListModel::OnTextsChanged() {
    // A comment can only have changed at the current node.
    const QModelIndex marks = index(m_current, MarksColumn);
    emit dataChanged(marks, marks);
}

bool MoveListModel::Holds(const MoveNode& node, int validRows) const {
    return node.number < validRows && m_line[node.number] == &node;
}

void MoveListModel::FollowCurrent(int validRows, bool changed) {
    const QScopedValueRollback following(m_following, true);
    const MoveNode& current = m_doc.Record().Current();
    std::vector<const MoveNode*> tail;
    // The way up from the current node to the line, when it left it; the root is always held.
    const MoveNode* node = &current;
    while (!Holds(*node, validRows)) {
        tail.push_back(node);
        node = node->Parent();
    }
    std::reverse(tail.begin(), tail.end());
    m_current = current.number;

    // Below the current node the line runs on the main continuation: rows from the first
    // variation entered below it, and below a node whose continuations changed, are redone.
    int first = changed ? validRows : rowCount();
    if (!tail.empty()) first = node->number + 1;
    const auto branch = std::upper_bound(m_branches.begin(), m_branches.end(), m_current);
    if (branch != m_branches.end()) first = std::min(first, *branch);
    if (tail.empty() && first == rowCount() && !changed) return;
    const MoveNode* last = tail.empty() ? m_line[first - 1] : tail.back();
    for (const MoveNode* next = last->Continuation(0); next; next = next->Continuation(0))
        tail.push_back(next);
    ReplaceTail(first, tail);
}

void MoveListModel::ReplaceTail(int first, std::vector<const MoveNode*>& tail) {
    const int oldCount = rowCount() - first;
    const int newCount = static_cast<int>(tail.size());
    const int kept = std::min(oldCount, newCount);
    std::copy(tail.begin(), tail.begin() + kept, m_line.begin() + first);
    // Positions after a replaced row are worked out again when asked for.
    m_kept.resize(std::min<std::size_t>(m_kept.size(), (first - 1) / Interval + 1));
    if (m_lastRow >= first) m_lastRow = -1;
    while (!m_branches.empty() && m_branches.back() >= first)
        m_branches.pop_back();
    for (int i = 0; i < newCount; ++i)
        if (tail[i]->Parent()->Continuation(0) != tail[i]) m_branches.push_back(first + i);
    if (newCount < oldCount) {
        beginRemoveRows({}, first + newCount, rowCount() - 1);
        m_line.resize(first + newCount);
        endRemoveRows();
    } else if (newCount > oldCount) {
        beginInsertRows({}, rowCount(), first + newCount - 1);
        m_line.insert(m_line.end(), tail.begin() + kept, tail.end());
        endInsertRows();
    }
    if (kept > 0) emit dataChanged(index(first, 0), index(first + kept - 1, ColumnCount - 1));
    // The mark of the row before: its position may have gained or lost continuations.
    emit dataChanged(index(first - 1, 0), index(first - 1, ColumnCount - 1));
    m_moves = rowCount() - 1 - (m_line.back()->IsResult() ? 1 : 0);
}

const Position& MoveListModel::PositionAfter(int row) const {
    const int keptIndex = row / Interval;
    while (static_cast<int>(m_kept.size()) <= keptIndex) {
        Position position = m_kept.back();
        const int from = static_cast<int>(m_kept.size() - 1) * Interval;
        for (int r = from + 1; r <= from + Interval; ++r)
            PlayNode(position, *m_line[r]);
        m_kept.push_back(position);
    }
    if (m_lastRow < keptIndex * Interval || m_lastRow > row) {
        m_lastRow = keptIndex * Interval;
        m_lastPosition = m_kept[keptIndex];
    }
    for (; m_lastRow < row; ++m_lastRow)
        PlayNode(m_lastPosition, *m_line[m_lastRow + 1]);
    return m_lastPosition;
}

QString MoveListModel::MoveText(int row) const {
    if (row == 0) return tr("Start");
    const MoveNode& node = *m_line[row];
    const bool japanese = m_doc.IsJapaneseNotation();
    if (const std::optional<GameResult> result = node.Result())
        return japanese ? FromUtf8(KifResultWord(*result)) : ResultLabelWords(*result);
    const Position& before = PositionAfter(row - 1);
    if (!japanese) return FromUtf8(MoveTextOn(before, node.move));
    // 同 names the square the move before reached.
    const MoveNode& previous = *m_line[row - 1];
    std::optional<Square> previousDestination;
    if (row > 1 && !previous.IsResult()) previousDestination = previous.move.to;
    return FromUtf8(Ki2MoveText(before, node.move, previousDestination));
}

QString MoveListModel::Marks(int row) const {
    const MoveNode& node = *m_line[row];
    QString marks;
    if (node.Parent() && node.Parent()->ChildCount() > 1) marks += QChar(u'+');
    if (!node.Comment().empty()) marks += QChar(u'*');
    return marks;
}
