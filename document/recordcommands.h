#pragma once

#include <QString>
#include <QUndoCommand>
#include <memory>
#include <string>
#include <vector>

#include "model/gamerecord.h"

class CZelkanDoc;

// Where the user stands: the current node and the continuation chosen in the variations list.
struct RecordPlace {
    NodePath path;
    int selection = 0;
};

enum class TextField { Title, BlackPlayer, WhitePlayer, Comment };

// A step of the record's history. Made where the user stands, it leaves them where it ends,
// with the main line chosen; undone, it puts them back where they stood, with the choice they
// had. Nodes are kept by their paths, never by pointers a later step could invalidate: since
// steps are undone in the reverse order of their making, the record is exactly as a step left
// it whenever that step is undone.
class RecordCommand : public QUndoCommand {
  public:
    void redo() final;
    void undo() final;

  protected:
    RecordCommand(CZelkanDoc& doc, const QString& name);
    // Makes the change, the record standing where the step was made.
    virtual void Apply(GameRecord& record) = 0;
    // Takes it back, the record standing where the step left it.
    virtual void Revert(GameRecord& record) = 0;
    // A text step leaves the variations list's choice alone.
    virtual bool KeepsSelection() const { return false; }

    void NoteNodeChanged(const MoveNode& node);
    void NoteTextsChanged();

    CZelkanDoc& doc_;
    RecordPlace before_;
    RecordPlace after_;
};

// The factories of the document's steps, each named as Undo and Redo show it.

// A legal move added at the current node, which it enters.
std::unique_ptr<RecordCommand> MakeAddMove(CZelkanDoc& doc, const Move& move);
// A line of legal moves from the current node, following the continuations it has.
std::unique_ptr<RecordCommand> MakeAddLine(CZelkanDoc& doc, std::vector<Move> moves);
// `count` continuations of the current node, from `first` on, deleted.
std::unique_ptr<RecordCommand> MakeDeleteLines(CZelkanDoc& doc, int first, int count,
                                               const QString& name);
// The current node moved from index `from` to `to` among its parent's continuations.
std::unique_ptr<RecordCommand> MakeMoveVariation(CZelkanDoc& doc, int from, int to,
                                                 const QString& name);
// The current node's line made the main line.
std::unique_ptr<RecordCommand> MakePromoteLine(CZelkanDoc& doc);
// A header field or the current node's comment set to `text`. A joinable step of the text
// session `session` takes in the later changes of the same field (at the same node) in that
// session; one whose text comes back to what it was is no step at all.
std::unique_ptr<RecordCommand> MakeSetText(CZelkanDoc& doc, TextField field, std::string text,
                                           const QString& name, int session);
