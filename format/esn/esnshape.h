#pragma once

#include <string_view>

// Whether the bytes begin as an ESN file does: with a bracket text, or with a move in the
// file's notation ("1. P-7f", "S3h").
bool LooksLikeEsn(std::string_view bytes);
