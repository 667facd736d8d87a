#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/position.h"

// The board diagram of KIF and KI2, which gives a start position that has no name (a problem,
// a position reached elsewhere):
//
//   後手の持駒：飛二　金二　銀四　桂四　香四　歩十七　
//     ９ ８ ７ ６ ５ ４ ３ ２ １
//   +---------------------------+
//   | ・ ・ ・ ・ ・ ・ ・v玉 ・|一
//   ...                              (nine ranks; 'v' marks White's pieces)
//   +---------------------------+
//   先手の持駒：角二　金二　
//   後手番                           (only when White is to move)

// Gathers a diagram from its lines, in any order among the header lines.
class KifDiagramReader {
  public:
    // Reads one line that ClassifyKifLine calls a diagram line. False, with `error` and the
    // byte offset in the line where the fault lies, when the line cannot be read.
    bool ReadLine(std::string_view text, std::string& error, std::size_t& errorOffset);

    // Whether a rank of the board was read: only then does the diagram give the start.
    bool HasBoard() const { return ranks_ > 0; }
    int RanksRead() const { return ranks_; }
    const Position& position() const { return position_; }

  private:
    bool ReadRank(std::string_view text, std::string& error, std::size_t& errorOffset);
    bool ReadHands(int side, std::string_view text, std::size_t start, std::string& error,
                   std::size_t& errorOffset);

    Position position_ = EmptyPosition();
    int ranks_ = 0;

    static Position EmptyPosition();
};

// The diagram's lines for `pos`, each ending in CR LF.
std::string KifDiagramText(const Position& pos);
