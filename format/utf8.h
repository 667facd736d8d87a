#pragma once

#include <string_view>

// True when the bytes are well-formed UTF-8 as a whole: no stray continuation bytes, no
// overlong forms, no surrogates, nothing above U+10FFFF, no sequence cut short.
bool IsValidUtf8(std::string_view bytes);
