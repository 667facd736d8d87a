#pragma once

#include <string>
#include <string_view>

#include "format/text/loaderror.h"
#include "format/text/recordtext.h"
#include "format/text/textencoding.h"
#include "model/gamerecord.h"

// KIF records (.kif in code page 932, .kifu in UTF-8): header lines, a board diagram or a
// handicap's name, numbered move lines with their origins and times, comments, bookmarks and
// variation blocks. Texts are stored as UTF-8, comment lines joined with CR LF.
//
//   手合割：平手
//   先手：青木
//   後手：白石
//   手数----指手---------消費時間--
//      1 ７六歩(77)   ( 0:05/00:00:05)
//      2 ３四歩(33)   ( 0:03/00:00:03)+
//   *後手は振り飛車か。
//      3 投了         ( 0:10/00:00:15)
//   まで2手で後手の勝ち
//
//   変化：2手
//      2 ８四歩(83)   ( 0:06/00:00:06)

// Reads a KIF file's text into `record`, which is reset first. The error, if any, is in
// `report`, with the line and the column in characters where reading stopped; the record keeps
// what was read before it.
void ReadKif(GameRecord& record, RecordText& text, ReadReport& report);

// The bytes of a KIF file holding the record: in code page 932 for .kif, or in UTF-8 with the
// line "#KIF version=2.0 encoding=UTF-8" for .kifu; CR LF line ends. False, with `refusal`
// naming the field or the move, when a text cannot be written so that it reads back (a
// character code page 932 cannot hold, a line break in a header line): nothing is to be
// written then. Move times are written in whole seconds.
bool WriteKif(const GameRecord& record, TextEncoding encoding, std::string& bytes,
              std::string& refusal);
