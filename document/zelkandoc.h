#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/recordcommands.h"
#include "format/recordformat.h"
#include "model/gamerecord.h"

class Prompter;
struct ReadOutcome;

// The open game and the one place where it changes: owns the record, the chosen variation and
// the piece style, carries out the navigation commands, and makes every edit of the record (a
// move from the board, a deleted or reordered variation, a text typed) a step of its history,
// which Undo and Redo walk. The modified flag follows the history: back at the saved step, the
// record is unmodified again. It reads and writes record files. There is one document for the
// life of the program; New and Open reuse it. Everything it holds is read through const
// accessors and changed only through its functions, which announce each change with a signal.
class CZelkanDoc : public QObject {
    Q_OBJECT

  public:
    // The prompter is borrowed: the document asks and shows through it what opening and saving
    // need.
    explicit CZelkanDoc(Prompter& prompter, QObject* parent = nullptr);
    ~CZelkanDoc() override;

    // The record with its current node. The reference stays good until recordReplaced.
    const GameRecord& Record() const { return *m_record; }
    // The continuation of the current node chosen in the variations list, which Forward, End
    // and Delete use; every command sets it back to 0.
    int SelectedVariation() const { return m_selectedVariation; }
    void SelectVariation(int index);
    // True while the board shows Japanese pieces. Not saved, and changing it does not modify
    // the document.
    bool IsJapanesePieces() const { return m_japanesePieces; }
    void SetJapanesePieces(bool japanese);
    // True while moves are named in Japanese (▲７六歩) rather than in the record file's
    // notation (P-7f). A way of showing only, like the piece style.
    bool IsJapaneseNotation() const { return m_japaneseNotation; }
    void SetJapaneseNotation(bool japanese);

    // Header and comment texts, as the bytes the record holds.
    void GetGameInfo(std::string& title, std::string& black, std::string& white) const;
    // Each stores a text that differs from the stored one as a step of the history. The
    // changes of one field (of one node's comment) join the same step until EndTextEdit, so
    // that a word typed, or a field's own undo, is one step.
    void SetGameTitle(const std::string& text);
    void SetBlackPlayer(const std::string& text);
    void SetWhitePlayer(const std::string& text);
    void SetComment(const std::string& text);
    // The user has left the field: its next change is a step of its own.
    void EndTextEdit();
    // Adds `text` to the current node's comment, on a line of its own, as one step.
    void AppendToComment(const std::string& text);

    // A move made on the board: follows an equal continuation, or else adds the move as a new
    // one (a step). False when the move is illegal here.
    bool EnterMove(const Move& move);
    bool PlayExisting(const Move& move);
    bool AddMove(const Move& move);
    // Adds a line of moves from the current position as one step: moves the record holds
    // already are followed, and the first one it lacks starts a new variation. The current node
    // stays. False, changing nothing, when a move is illegal where it is played.
    bool AddVariation(const std::vector<Move>& moves);

    // The Move commands. Navigation is no step; the edits are.
    void GoTop();
    bool GoForward();
    bool GoBackward();
    void GoEnd();
    // Goes to the node at `path`, as the steps there would (a move list's row). False, going
    // as far as the path leads, when it leads nowhere.
    bool GoToPath(const NodePath& path);
    // Deletes the chosen continuation with everything below it.
    bool DeleteVariation();
    // Deletes every continuation of the current node.
    bool DeleteMovesAfter();
    // Makes the current node's line the main line at every branch up to the root.
    bool PromoteVariation();
    // Moves the current node one place up or down among its parent's continuations.
    bool MoveVariationUp();
    bool MoveVariationDown();

    // Enabling of the Move commands (Top is always enabled).
    bool CanGoForward() const;  // Forward, End, Delete and Delete Moves After
    bool CanGoBack() const;
    bool CanPromoteVariation() const;
    bool CanMoveVariationUp() const;
    bool CanMoveVariationDown() const;

    // The history: Undo takes back the last step and puts the user back where they stood
    // before it (current node and chosen variation); Redo makes it again.
    bool CanUndo() const;
    bool CanRedo() const;
    // The name of the step Undo or Redo would take ("Delete Variation"); empty when none.
    QString UndoName() const;
    QString RedoName() const;
    void Undo();
    void Redo();

    // A new, empty record; clears the history, the modified flag, the path and the partly-read
    // state.
    bool OnNewDocument();
    // A new, untitled record that starts from `start` (a position set up by hand), with an
    // empty history; modified, since only the program holds it. False, changing nothing, when
    // no record can hold the position (RefusalText says why; a rule of play broken is no bar).
    bool NewRecordFrom(const Position& start);
    // Reads a record file in whatever format it holds: the one its extension names, or the
    // one its contents show when the extension names none or another. False when the file
    // cannot be read whole, the record does not fit in memory or reading stopped before the
    // start position was known ("list.kif holds no game record"): the reason is then in
    // LastFileError(), the record is untouched and the caller shows the message. A reading
    // error is shown here as "Error : MESSAGE (line L, column C)", after the update, and what
    // was read is kept: that still answers true; so are the reader's notices ("the file holds
    // 3 records; only the first was read"). After a read the document is not modified, its
    // history is empty, `path` is its path and FileType() the type it was read as.
    bool OnOpenDocument(const QString& path);
    // Takes a record from a text (the clipboard's) as a new, untitled and modified record
    // with an empty history, showing a reading error and notices as an open does. False,
    // changing nothing, when the text holds no record in any format or reading stops before
    // its start is known.
    bool OpenRecordText(const QString& text);
    // Writes the record atomically to `path` as FileType(), or as `type`, asking and showing
    // what is needed: texts the format cannot hold (refused), what it cannot keep ("KIF cannot
    // keep 3 comments. Save anyway?"), the partly-read question, a failed write. True when
    // saved: the current step is then the saved one, `path` becomes the document's path and
    // `type` its type. On failure the file at `path` is as it was, the reason is in
    // LastFileError() (empty when the user said No) and the document stays modified. Saving
    // never moves the current node.
    bool OnSaveDocument(const QString& path);
    bool OnSaveDocument(const QString& path, const FileType& type);
    QString LastFileError() const { return m_lastFileError; }

    // True after a read that stopped at an error, until the next new, open or save.
    bool WasReadInPart() const { return m_readInPart; }
    // The format and character set the record was read in and Save writes; ESN for a new
    // record.
    const FileType& GetFileType() const { return m_fileType; }

    // Set: the record counts as changed until saved (or until undone back to a saved step).
    // Clear: the current step counts as the saved one.
    void SetModifiedFlag(bool modified = true);
    bool IsModified() const;
    QString GetPathName() const { return m_pathName; }
    // The file's name without its folder, or "Untitled".
    QString GetTitle() const;

  signals:
    // Another record took the place of the last one: everything is to be shown anew.
    void recordReplaced();
    // Another node became current.
    void currentNodeChanged();
    // The continuations below `node` changed: added, removed or reordered. Nothing above it
    // changed. The pointer is good while the signal is delivered.
    void nodeChanged(const MoveNode* node);
    // The title, a player or the current node's comment changed.
    void textsChanged();
    void modifiedChanged(bool modified);
    // What Undo and Redo would do changed.
    void historyChanged();
    void selectionChanged(int index);
    void pieceStyleChanged(bool japanese);
    void notationChanged(bool japanese);
    void titleChanged(const QString& title);

  private:
    friend class RecordCommand;

    // What a step changed, gathered while it runs and announced at its end, so that the views
    // see the record only as a whole step leaves it.
    struct PendingChange {
        const MoveNode* current = nullptr;
        int selection = 0;
        const MoveNode* node = nullptr;
        bool texts = false;
    };
    void BeginChange();
    void EndChange();
    // For the steps: the record to change, where the user stands and how to go there, and
    // what they changed.
    GameRecord& EditableRecord() { return *m_record; }
    RecordPlace CurrentPlace() const;
    void GoToPlace(const RecordPlace& place);
    void NoteNodeChanged(const MoveNode& node);
    void NoteTextsChanged();

    void Push(std::unique_ptr<RecordCommand> command);
    void SetText(TextField field, const std::string& text, bool joinable);
    // Navigation: the choice goes back to the main line and the views follow the current node.
    void AnnounceNavigation();
    // Starts the history of another record.
    void ReplaceRecord(std::unique_ptr<GameRecord> record, bool modified);
    // Another record with no file behind it, written as ESN when saved.
    void StartUntitled(std::unique_ptr<GameRecord> record, bool modified);
    void SetPathName(const QString& path);
    // Reads `bytes` as `type` into a new record, the bytes let go. Null, with the record
    // untouched and the reason in LastFileError() (which names the file as `name`), when memory
    // runs out or reading stopped before the start position was known.
    std::unique_ptr<GameRecord> ReadRecordBytes(std::string& bytes, const FileType& type,
                                                ReadOutcome& outcome, const QString& name);
    // The reading error and the reader's notices, after the views show what was read.
    void ShowReadProblems(const ReadOutcome& outcome);
    bool AskToReplacePartlyReadFile();
    bool AskToLoseWhatTypeCannotKeep(const FileType& type);
    // Writes `bytes` to a temporary file beside `path` and renames it over `path`. Answers an
    // empty text, or why it failed; then nothing but the temporary file (removed again) was
    // touched.
    QString WriteFileAtomically(const QString& path, const std::string& bytes);

    Prompter& m_prompter;
    int m_selectedVariation = 0;
    bool m_japanesePieces = true;
    bool m_japaneseNotation = false;
    FileType m_fileType;
    std::unique_ptr<GameRecord> m_record;
    // Declared after the record: its steps hold detached lines of the record, which they give
    // back when they go, before the record goes.
    QUndoStack m_history;
    // Text changes join the last step while this stays as it was when that step was made.
    int m_textSession = 0;
    std::optional<PendingChange> m_pending;
    bool m_readInPart = false;
    QString m_pathName;
    QString m_lastFileError;
};
