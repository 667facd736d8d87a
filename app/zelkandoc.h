#pragma once

#include <QObject>
#include <QString>
#include <string>
#include <string_view>

#include "model/gamerecord.h"

class Prompter;

// The open game: owns the record, the chosen variation and the piece style, carries out the
// navigation commands, takes the user's moves and texts, keeps the modified flag and reads and
// writes record files. There is one document for the life of the program; New and Open reuse it.
class CZelkanDoc : public QObject {
    Q_OBJECT

  public:
    // The prompter is borrowed: it asks and shows everything the document and its windows need.
    explicit CZelkanDoc(Prompter& prompter, QObject* parent = nullptr);
    ~CZelkanDoc() override;

    // The continuation of the current node chosen in the variations list; every command sets
    // it back to 0.
    int m_selectedVariation = 0;
    // 1 while the board shows Japanese pieces, 0 for International ones. Not saved, and
    // changing it does not modify the document.
    int m_japanesePieces = 1;
    GameRecord m_record;

    Prompter& GetPrompter() const { return m_prompter; }

    // Header and comment texts, as the bytes the record holds.
    void GetGameInfo(std::string& title, std::string& black, std::string& white) const;
    // Each stores the text and sets the modified flag only when it differs from what is stored;
    // none announces an update.
    void SetGameTitle(const std::string& text);
    void SetBlackPlayer(const std::string& text);
    void SetWhitePlayer(const std::string& text);
    void SetComment(const std::string& text);

    // Moves from the board: follow an equal continuation, or add the move as a new one.
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
    // Check marks of Japanese Pieces (135) and International Pieces (136).
    bool IsJapaneseChecked() const { return m_japanesePieces == 1; }
    bool IsInternationalChecked() const { return m_japanesePieces == 0; }

    // A new, empty record; clears the modified flag, the path and the partly-read state, and
    // announces an update.
    bool OnNewDocument();
    // Reads a record file. False when the file cannot be opened (reason in LastFileError();
    // the record is untouched and the caller shows the message). A reading error is shown here
    // as "Error : " + message, and what was read is kept: that still answers true. After a
    // read the document is not modified, `path` is its path, and an update is announced.
    bool OnOpenDocument(const QString& path);
    // Writes the record atomically to `path`, asking and showing what is needed (texts the
    // format cannot hold, the partly-read question, a failed write). True when saved: the
    // modified flag is then clear and `path` becomes the document's path. On failure the file
    // at `path` is as it was, the reason is in LastFileError() (empty when the user said No)
    // and the document stays modified. Saving never moves the current node.
    bool OnSaveDocument(const QString& path);
    QString LastFileError() const { return m_lastFileError; }

    // True after a read that stopped at an error, until the next new, open or save.
    bool WasReadInPart() const { return m_readInPart; }

    void SetModifiedFlag(bool modified = true);
    bool IsModified() const { return m_modified; }
    QString GetPathName() const { return m_pathName; }
    void SetPathName(const QString& path);
    // The file's name without its folder, or "Untitled".
    QString GetTitle() const;

    // Tells every view to refresh everything.
    void UpdateAllViews();

  signals:
    void updated();
    void modifiedChanged(bool modified);
    void titleChanged(const QString& title);

  protected:
    // Hands the bytes of a save to the open temporary file `fd`; answers 0 or an errno value.
    // Tests override it to make a save fail part of the way through.
    virtual int WriteSaveBytes(int fd, std::string_view bytes);

  private:
    bool AskToReplacePartlyReadFile();
    // Writes the record to a temporary file beside `path` and renames it over `path`. Answers
    // an empty text, or why it failed; then nothing but the temporary file (removed again) was
    // touched.
    QString WriteFileAtomically(const QString& path);

    Prompter& m_prompter;
    bool m_modified = false;
    bool m_readInPart = false;
    QString m_pathName;
    QString m_lastFileError;
};
