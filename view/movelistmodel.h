#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <vector>

#include "model/position.h"

class CZelkanDoc;
class MoveNode;
class NodePath;

// The line through the current node as a table, one row per ply: the start position in row 0,
// then every move from the start to the end of the current node's main continuation, a result
// last. The columns are the move number, the move in the notation chosen, and the marks: "+"
// where the move has variations beside it, "*" where its position has a comment.
//
// It follows the document's announcements and does no work in proportion to the line while the
// user steps within it: the line is walked again only from where it changed, and a row's move
// text is made when a view asks for it, from positions kept every few plies. The document is
// borrowed.
class MoveListModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Column { NumberColumn, MoveColumn, MarksColumn, ColumnCount };

    explicit MoveListModel(CZelkanDoc& doc, QObject* parent = nullptr);
    ~MoveListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The row of the current node.
    int CurrentRow() const { return m_current; }
    // Goes to the node of a row, as stepping there would.
    void GoToRow(int row);
    // True while the rows change to follow the document: a view's current row moving then is
    // no step of the user's.
    bool IsFollowing() const { return m_following; }
    // Where the user stands: "Move 47 of 120", or "Move 12 of 30 in a variation".
    QString PlaceText() const;

  signals:
    // Another row became current, or the line or the place text changed.
    void placeChanged();

  private:
    void OnRecordReplaced();
    void OnNodeChanged(const MoveNode* node);
    void OnCurrentNodeChanged();
    // Makes the line run through the current node and on along its main continuation. Rows
    // from `validRows` on may hold nodes that left the tree and are not looked at; `changed`
    // says the continuations below row validRows - 1 changed.
    void FollowCurrent(int validRows, bool changed);
    bool Holds(const MoveNode& node, int validRows) const;
    // Rows from `first` on become `tail`.
    void ReplaceTail(int first, std::vector<const MoveNode*>& tail);
    void OnNotationChanged();
    void OnTextsChanged();

    // The position after the move of `row`.
    const Position& PositionAfter(int row) const;
    QString MoveText(int row) const;
    QString Marks(int row) const;

    CZelkanDoc& m_doc;
    std::vector<const MoveNode*> m_line;
    // The rows, in order, whose move is a variation rather than the main continuation of the
    // row before; none lies below the current row.
    std::vector<int> m_branches;
    int m_current = 0;
    bool m_following = false;
    int m_moves = 0;  // the rows that hold moves: all but the start and a result
    // The position after every Interval-th row, as far as a view has asked, and the last
    // position worked out, so that neighbouring rows cost one move each.
    mutable std::vector<Position> m_kept;
    mutable int m_lastRow = -1;
    mutable Position m_lastPosition;
};
