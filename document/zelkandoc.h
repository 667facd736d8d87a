#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <string>

#include "format/recordformat.h"
#include "model/gamerecord.h"

class Prompter;
struct ReadOutcome;

// The open game: owns the record, the chosen variation and the piece style, carries out the
// navigation commands, takes the user's moves and texts, keeps the modified flag and reads and
// writes record files. There is one document for the life of the program; New and Open reuse it.
// Everything it holds is read through const accessors and changed only through its functions,
// which announce each change with a signal.
class CZelkanDoc : public QObject {
    Q_OBJECT

  public:
    // The prompter is borrowed: the document asks and shows through it what opening and saving
    // need.
    explicit CZelkanDoc(Prompter& prompter, QObject* parent = nullptr);
    ~CZelkanDoc() override;

    // The record with its current node. The reference stays good until the next open.
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
    // Each stores the text and sets the modified flag only when it differs from what is stored;
    // none announces an update.
    void SetGameTitle(const std::string& text);
    void SetBlackPlayer(const std::string& text);
    void SetWhitePlayer(const std::string& text);
    void SetComment(const std::string& text);

    // A move made on the board: follows an equal continuation, or else adds the move as a new
    // one. False when the move is illegal here.
    bool EnterMove(const Move& move);
    bool PlayExisting(const Move& move);
    bool AddMove(const Move& move);

    // The Move commands.
    void GoTop();
    bool GoForward();
    bool GoBackward();
    void GoEnd();
    bool DeleteVariation();

    // Enabling of the Move commands (Top is always enabled).
    bool CanGoForward() const;  // Forward, End and Delete
    bool CanGoBack() const;

    // A new, empty record; clears the modified flag, the path and the partly-read state, and
    // announces an update.
    bool OnNewDocument();
    // Reads a record file in whatever format it holds: the one its extension names, or the
    // one its contents show when the extension names none or another. False when the file
    // cannot be read whole or the record does not fit in memory: the reason is then in
    // LastFileError(), the record is untouched and the caller shows the message. A reading
    // error is shown here as "Error : MESSAGE (line L, column C)", after the update, and what
    // was read is kept: that still answers true; so are the reader's notices ("the file holds
    // 3 records; only the first was read"). After a read the document is not modified, `path`
    // is its path and FileType() the type it was read as.
    bool OnOpenDocument(const QString& path);
    // Takes a record from a text (the clipboard's) as a new, untitled and modified record,
    // showing a reading error and notices as an open does. False, changing nothing, when the
    // text holds no record in any format.
    bool OpenRecordText(const QString& text);
    // Writes the record atomically to `path` as FileType(), or as `type`, asking and showing
    // what is needed: texts the format cannot hold (refused), what it cannot keep ("KIF cannot
    // keep 3 comments. Save anyway?"), the partly-read question, a failed write. True when
    // saved: the modified flag is then clear, `path` becomes the document's path and `type`
    // its type. On failure the file at `path` is as it was, the reason is in LastFileError()
    // (empty when the user said No) and the document stays modified. Saving never moves the
    // current node.
    bool OnSaveDocument(const QString& path);
    bool OnSaveDocument(const QString& path, const FileType& type);
    QString LastFileError() const { return m_lastFileError; }

    // True after a read that stopped at an error, until the next new, open or save.
    bool WasReadInPart() const { return m_readInPart; }
    // The format and character set the record was read in and Save writes; ESN for a new
    // record.
    const FileType& GetFileType() const { return m_fileType; }

    void SetModifiedFlag(bool modified = true);
    bool IsModified() const { return m_modified; }
    QString GetPathName() const { return m_pathName; }
    // The file's name without its folder, or "Untitled".
    QString GetTitle() const;

  signals:
    // The current node moved or the tree changed (or a command asked every view to refresh):
    // everything shown of the record is to be shown anew.
    void updated();
    void selectionChanged(int index);
    void pieceStyleChanged(bool japanese);
    void notationChanged(bool japanese);
    void modifiedChanged(bool modified);
    void titleChanged(const QString& title);

  private:
    // Every command ends here: the choice goes back to the main line and the views refresh.
    void ResetSelectionAndUpdate();
    void SetPathName(const QString& path);
    // Reads `bytes` as `type` into a new record and takes it on, the bytes let go. False, with
    // the record untouched, when memory runs out.
    bool TakeRecordRead(std::string& bytes, const FileType& type, ReadOutcome& outcome);
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
    bool m_modified = false;
    bool m_readInPart = false;
    QString m_pathName;
    QString m_lastFileError;
};
