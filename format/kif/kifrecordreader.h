#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/kif/kifdiagram.h"
#include "format/text/loaderror.h"
#include "format/text/recordtext.h"
#include "format/text/textencoding.h"
#include "format/text/textlines.h"
#include "model/gamerecord.h"

// The character set that the first line of a KIF or KI2 file declares ("#KIF version=2.0
// encoding=UTF-8"), if any.
std::optional<TextEncoding> KifDeclaredEncoding(std::string_view firstLine);

// Whether a 手合割 value says nothing beyond `start`: it is empty or names that position.
bool HandicapLineSays(std::string_view value, const Position& start);

// What KIF and KI2 reading share: the character set, the header with its board diagram or
// handicap, comments, bookmarks, the summary lines and the variation blocks. A format adds the
// reading of its move lines.
//
// Variation blocks ("変化：N手") follow the line they branch from in depth-first order, each
// replacing the move at ply N of the innermost open line that reaches that ply. The open lines
// sit on an explicit stack, so 100,000 nested variations cost no call depth.
class KifRecordReader {
  public:
    explicit KifRecordReader(GameRecord& record) : record_(record) {}
    KifRecordReader(const KifRecordReader&) = delete;
    KifRecordReader& operator=(const KifRecordReader&) = delete;
    virtual ~KifRecordReader() = default;

    // Resets the record and reads the text into it, telling `report` the notices, whether the
    // start position was fixed and the error, with the line and the column in characters where
    // reading stopped; the record then keeps what was read before it. On success the root is
    // current.
    void Read(RecordText& text, ReadReport& report);

  protected:
    virtual bool IsMoveLine(std::string_view text) const = 0;
    // False, with the error set, where the line cannot be read.
    virtual bool ReadMoveLine(const TextLine& line) = 0;

    // The file's move number of ply 1 is 1, unless the first KIF move line says otherwise.
    long long NumberOfPly(long long ply) const { return ply + numberOffset_; }
    void SetNumberOffset(long long offset) { numberOffset_ = offset; }

    // Sets the error at `offset` of the line; answers false.
    bool Fail(const TextLine& line, std::size_t offset, std::string message);

    // The ply of the current node, from 0 at the root.
    int Ply() const { return record_.Current().number; }
    bool AtResult() const { return record_.Current().IsResult(); }
    const Position& CurrentPosition() const { return record_.GetPosition(); }
    // The destination of the current node's move, for 同; nothing at the root.
    std::optional<Square> PreviousDestination() const;

    // Adds the move as the last continuation of the current node and enters it. A move the
    // rules refuse stops reading with the reason, at `offset` of the line.
    bool AddMove(const Move& move, const TextLine& line, std::size_t offset);
    bool AddResult(GameResult result, const TextLine& line, std::size_t offset);
    // The current node's time; one of 100 days or more stops reading at `offset` of the line.
    bool SetTime(std::int64_t milliseconds, const TextLine& line, std::size_t offset);
    // A line that the record keeps as a header line of the note kind (不戦勝, 不戦敗).
    void AddNote(std::string_view text);

  private:
    struct OpenLine {
        // Its nodes so far, so that the one a variation replaces is found at once however long
        // the line.
        std::vector<const MoveNode*> nodes;
        int firstPly = 0;
    };

    // A line kept for a message about it after later lines were read.
    struct KeptLine {
        int number = 1;
        std::string text;
        TextLine View() const { return TextLine{text, number, 0}; }
    };

    bool ReadLines(RecordText& text);
    bool ReadPreambleLine(const TextLine& line);
    bool FinishPreamble(const TextLine* firstMove);
    bool ReadBodyLine(const TextLine& line);
    void ReadHeaderLine(const TextLine& line, std::string_view label, std::string_view value);
    bool ReadDiagramLine(const TextLine& line);
    bool ReadVariationLine(const TextLine& line);
    // A "まで…" line after a line of play: its result, unless the line has one already.
    bool ReadSummaryLine(const TextLine& line);
    void AppendCommentLine(std::string_view text);
    void ReadBookmark(std::string_view name);
    void FlushNotes();
    void MoveTo(const MoveNode& node);

    GameRecord& record_;
    ReadReport* report_ = nullptr;
    long long numberOffset_ = 0;

    KifDiagramReader diagram_;
    KeptLine firstDiagramLine_;  // the first rank's line, where a diagram's fault is reported
    std::optional<KeptLine> handicapLine_;
    std::string handicapName_;

    bool sawText_ = false;     // a line held more than blanks
    bool recognised_ = false;  // a line had KIF's or KI2's shape: the file holds a record

    std::vector<OpenLine> lines_;
    // The comment being gathered for the current node, its lines joined with CR LF.
    std::string comment_;
    bool commentStarted_ = false;
    std::string bookmark_;
};
