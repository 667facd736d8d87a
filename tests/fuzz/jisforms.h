#pragma once

#include <string_view>

// The characters that code page 932 shares between a JIS form and a Windows form (the wave
// dash, minus, double vertical line, cent, pound, not and em dash signs): writing takes either,
// reading gives the Windows form back, so a text holding a JIS form comes back in the other.
inline bool HoldsJisForms(std::string_view text) {
    for (const std::string_view jis :
         {"\u301C", "\u2212", "\u2016", "\u00A2", "\u00A3", "\u00AC", "\u2014"})
        if (text.find(jis) != std::string_view::npos) return true;
    return false;
}
