#pragma once

#include <string>
#include <string_view>

// Appends the bytes as a quoted JSON string, written by the JSON library. Records keep their
// texts as raw bytes: a text that is valid UTF-8 is taken as it is; any other text has each
// byte taken as the character of the same number (so a Latin-1 or Windows-1252 comment stays
// readable and nothing is dropped). Every control character and DEL is written as \u00XX but
// for \n, \r and \t.
void AppendJsonString(std::string& out, std::string_view bytes);

// Appends the number as the JSON library writes it.
void AppendJsonNumber(std::string& out, long long number);
