#include "document/recordcommands.h"

#include <QCoreApplication>
#include <utility>

#include "document/zelkandoc.h"

RecordCommand::RecordCommand(CZelkanDoc& doc, const QString& name)
    : doc_(doc), before_(doc.CurrentPlace()) {
    setText(name);
}

void RecordCommand::redo() {
    doc_.BeginChange();
    doc_.GoToPlace(before_);
    Apply(doc_.EditableRecord());
    after_ = {doc_.Record().CurrentPath(), KeepsSelection() ? before_.selection : 0};
    doc_.GoToPlace(after_);
    doc_.EndChange();
}

void RecordCommand::undo() {
    doc_.BeginChange();
    doc_.GoToPlace(after_);
    Revert(doc_.EditableRecord());
    doc_.GoToPlace(before_);
    doc_.EndChange();
}

void RecordCommand::NoteNodeChanged(const MoveNode& node) {
    doc_.NoteNodeChanged(node);
}

void RecordCommand::NoteTextsChanged() {
    doc_.NoteTextsChanged();
}

namespace {

class AddMoveCommand : public RecordCommand {
  public:
    AddMoveCommand(CZelkanDoc& doc, const Move& move)
        : RecordCommand(doc, QCoreApplication::translate("RecordCommand", "Add Move")),
          move_(move) {}

  private:
    void Apply(GameRecord& record) override {
        if (added_.Empty())
            index_ = record.AddContinuation(move_) - 1;
        else
            record.AttachContinuations(index_, added_);
        NoteNodeChanged(record.Current());
        record.GoForward(index_);
    }
    void Revert(GameRecord& record) override {
        record.GoBack();
        added_ = record.DetachContinuations(index_, 1);
        NoteNodeChanged(record.Current());
    }

    Move move_;
    int index_ = 0;
    DetachedLines added_;
};

class AddLineCommand : public RecordCommand {
  public:
    AddLineCommand(CZelkanDoc& doc, std::vector<Move> moves)
        : RecordCommand(doc, QCoreApplication::translate("RecordCommand", "Add Variation")),
          moves_(std::move(moves)) {}

  private:
    void Apply(GameRecord& record) override {
        if (added_.Empty()) {
            AddMissingMoves(record);
        } else {
            record.GoToPath(branch_);
            record.AttachContinuations(index_, added_);
        }
        record.GoToPath(branch_);
        NoteNodeChanged(record.Current());
        // The user stays where the line starts.
        record.GoToPath(before_.path);
    }
    void Revert(GameRecord& record) override {
        record.GoToPath(branch_);
        added_ = record.DetachContinuations(index_, 1);
        NoteNodeChanged(record.Current());
    }

    // Follows the moves the record has, and adds the rest as a new continuation where the
    // first one is missing.
    void AddMissingMoves(GameRecord& record) {
        bool branched = false;
        for (const Move& move : moves_) {
            int index = 0;
            if (!branched && record.FindContinuation(move, index)) {
                record.GoForward(index);
                continue;
            }
            if (!branched) branch_ = record.CurrentPath();
            const int count = record.AddContinuation(move);
            if (count == 0) break;  // checked before the step was made
            if (!branched) index_ = count - 1;
            branched = true;
            record.GoForward(count - 1);
        }
    }

    std::vector<Move> moves_;
    NodePath branch_;  // the node the new continuation leaves from
    int index_ = 0;
    DetachedLines added_;
};

class DeleteLinesCommand : public RecordCommand {
  public:
    DeleteLinesCommand(CZelkanDoc& doc, int first, int count, const QString& name)
        : RecordCommand(doc, name), first_(first), count_(count) {}

  private:
    void Apply(GameRecord& record) override {
        deleted_ = record.DetachContinuations(first_, count_);
        NoteNodeChanged(record.Current());
    }
    void Revert(GameRecord& record) override {
        record.AttachContinuations(first_, deleted_);
        NoteNodeChanged(record.Current());
    }

    int first_;
    int count_;
    DetachedLines deleted_;
};

class MoveVariationCommand : public RecordCommand {
  public:
    MoveVariationCommand(CZelkanDoc& doc, int from, int to, const QString& name)
        : RecordCommand(doc, name), from_(from), to_(to) {}

  private:
    void Apply(GameRecord& record) override { Shift(record, from_, to_); }
    void Revert(GameRecord& record) override { Shift(record, to_, from_); }

    // The current node, continuation `from` of its parent, becomes continuation `to`.
    void Shift(GameRecord& record, int from, int to) {
        record.GoBack();
        record.MoveContinuation(from, to);
        NoteNodeChanged(record.Current());
        record.GoForward(to);
    }

    int from_;
    int to_;
};

class PromoteLineCommand : public RecordCommand {
  public:
    explicit PromoteLineCommand(CZelkanDoc& doc)
        : RecordCommand(doc, QCoreApplication::translate("RecordCommand", "Promote Variation")) {}

  private:
    void Apply(GameRecord& record) override {
        places_ = record.PromoteCurrentLine();
        NoteNodeChanged(record.Root());
    }
    void Revert(GameRecord& record) override {
        record.RestoreBranches(places_);
        NoteNodeChanged(record.Root());
    }

    std::vector<BranchPlace> places_;
};

class SetTextCommand : public RecordCommand {
  public:
    SetTextCommand(CZelkanDoc& doc, TextField field, std::string text, const QString& name,
                   int session)
        : RecordCommand(doc, name),
          field_(field),
          old_(Stored(doc.Record(), field)),
          new_(std::move(text)),
          session_(session) {}

    // One id for every joinable text step; a step that cannot join has none.
    int id() const override { return session_ < 0 ? -1 : 1; }

    bool mergeWith(const QUndoCommand* other) override {
        const auto* later = static_cast<const SetTextCommand*>(other);
        if (later->session_ != session_ || later->field_ != field_ ||
            (field_ == TextField::Comment && !(later->before_.path == before_.path)))
            return false;
        new_ = later->new_;
        // Typed and taken back again: the step changes nothing and leaves the history.
        setObsolete(new_ == old_);
        return true;
    }

  private:
    static const std::string& Stored(const GameRecord& record, TextField field) {
        switch (field) {
            case TextField::Title:
                return record.Title();
            case TextField::BlackPlayer:
                return record.BlackPlayer();
            case TextField::WhitePlayer:
                return record.WhitePlayer();
            case TextField::Comment:
                break;
        }
        return record.Current().Comment();
    }

    void Store(GameRecord& record, const std::string& text) {
        switch (field_) {
            case TextField::Title:
                record.SetTitle(text);
                break;
            case TextField::BlackPlayer:
                record.SetBlackPlayer(text);
                break;
            case TextField::WhitePlayer:
                record.SetWhitePlayer(text);
                break;
            case TextField::Comment:
                record.SetCurrentComment(text);
                break;
        }
        NoteTextsChanged();
    }

    void Apply(GameRecord& record) override { Store(record, new_); }
    void Revert(GameRecord& record) override { Store(record, old_); }
    bool KeepsSelection() const override { return true; }

    TextField field_;
    std::string old_;
    std::string new_;
    int session_;
};

}  // namespace

std::unique_ptr<RecordCommand> MakeAddMove(CZelkanDoc& doc, const Move& move) {
    return std::make_unique<AddMoveCommand>(doc, move);
}

std::unique_ptr<RecordCommand> MakeAddLine(CZelkanDoc& doc, std::vector<Move> moves) {
    return std::make_unique<AddLineCommand>(doc, std::move(moves));
}

std::unique_ptr<RecordCommand> MakeDeleteLines(CZelkanDoc& doc, int first, int count,
                                               const QString& name) {
    return std::make_unique<DeleteLinesCommand>(doc, first, count, name);
}

std::unique_ptr<RecordCommand> MakeMoveVariation(CZelkanDoc& doc, int from, int to,
                                                 const QString& name) {
    return std::make_unique<MoveVariationCommand>(doc, from, to, name);
}

std::unique_ptr<RecordCommand> MakePromoteLine(CZelkanDoc& doc) {
    return std::make_unique<PromoteLineCommand>(doc);
}

std::unique_ptr<RecordCommand> MakeSetText(CZelkanDoc& doc, TextField field, std::string text,
                                           const QString& name, int session) {
    return std::make_unique<SetTextCommand>(doc, field, std::move(text), name, session);
}
