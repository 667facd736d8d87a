#pragma once

#include <string>
#include <string_view>

#include "format/text/loaderror.h"
#include "format/text/recordtext.h"
#include "format/text/textencoding.h"
#include "model/gamerecord.h"

// KI2 records (.ki2 in code page 932, .ki2u in UTF-8): the header, board diagram, comments,
// bookmarks and variation blocks of KIF, with moves written as in print, several to a line,
// without numbers, origins or times; marks say which piece moved when the destination and the
// piece leave a choice (see ki2move.h):
//
//   手合割：平手
//   ▲７六歩    △３四歩    ▲２二角成  △同　銀    ▲４五角    △５二金右
//   *角交換から。
//   ▲５八金左
//   まで7手で後手の勝ち
//
// A line that ends in a result is followed by its "まで" line ("まで64手で後手の勝ち",
// "まで80手で千日手"), from which the reader takes the result back.

// Reads a KI2 file's text into `record`, which is reset first, as ReadKif does.
void ReadKi2(GameRecord& record, RecordText& text, ReadReport& report);

// The bytes of a KI2 file holding the record: code page 932 for .ki2, UTF-8 with the line
// "#KIF version=2.0 encoding=UTF-8" for .ki2u. False, with `refusal` naming the field or the
// move, when a text cannot be written so that it reads back: nothing is to be written then.
// Move times have no place in KI2 and are left out.
bool WriteKi2(const GameRecord& record, TextEncoding encoding, std::string& bytes,
              std::string& refusal);
