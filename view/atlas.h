// The glyph atlas of the web page: the characters the game's screens use, in slot order,
// AtlasColumns cells to a row, each cell CellWidth x CellHeight pixels.
#pragma once

#include <string>

namespace vaultmoor {

inline constexpr int AtlasColumns = 32;

// Printable ASCII, then the ruled line, the end label's letters and the stand-in.
inline std::u32string AtlasGlyphs() {
    std::u32string s;
    for (char32_t c = 0x20; c < 0x7F; ++c) s += c;
    s += U"\u2261\u03C4\u03B5\u03A3\uFFFD";
    return s;
}

// The slot of a character; characters the atlas lacks are drawn as the stand-in.
inline int AtlasSlot(char32_t c) {
    static const std::u32string glyphs = AtlasGlyphs();
    const auto at = glyphs.find(c);
    return static_cast<int>(at == std::u32string::npos ? glyphs.size() - 1 : at);
}

}  // namespace vaultmoor
