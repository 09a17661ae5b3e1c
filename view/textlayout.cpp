#include "textlayout.h"

#include <algorithm>

namespace vaultmoor {

int TwipsToPixels(int twips) {
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

PixelRect ToPixels(const TwipRect& r) {
    return {TwipsToPixels(r.left), TwipsToPixels(r.top), TwipsToPixels(r.width),
            TwipsToPixels(r.height)};
}

TextGrid GridFor(int width_px, int height_px) {
    // A line partly inside the label counts: the window clips it at the label's edge.
    return {std::max(1, width_px / CellWidth),
            std::max(1, (height_px + LinePitch - 1) / LinePitch)};
}

std::u32string DecodeUtf8(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        int len = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if (b < 0x80) {
            len = 1;
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            len = 2;
            cp = b & 0x1F;
            min = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            len = 3;
            cp = b & 0x0F;
            min = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            len = 4;
            cp = b & 0x07;
            min = 0x10000;
        }
        bool ok = len > 0 && i + len <= s.size();
        for (int k = 1; ok && k < len; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) {
                ok = false;
            } else {
                cp = (cp << 6) | (c & 0x3F);
            }
        }
        if (ok && (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
        if (ok) {
            out += cp;
            i += len;
        } else {
            out += U'\uFFFD';
            ++i;
        }
    }
    return out;
}

std::string EscapeLineFeeds(std::string_view s) {
    std::string out;
    for (char c : s) out += c == '\\' ? "\\\\" : (c == '\n' ? "\\n" : std::string(1, c));
    return out;
}

std::string EncodeUtf8(std::u32string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char32_t cp : s) {
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = U'\uFFFD';
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

namespace {

constexpr char32_t Blank = U' ';

std::u32string_view TrimBlanksRight(std::u32string_view s) {
    while (!s.empty() && s.back() == Blank) s.remove_suffix(1);
    return s;
}

// Wraps one run of text without carriage returns; stops once `rows` lines are out.
void WrapParagraph(std::u32string_view text, std::size_t columns, std::size_t rows,
                   std::vector<std::u32string>& lines) {
    std::size_t pos = 0;
    do {
        if (lines.size() >= rows) return;
        const std::u32string_view rest = text.substr(pos);
        if (rest.size() <= columns) {
            lines.emplace_back(rest);
            return;
        }
        // Wrap at the last blank within the line; a word longer than the line is broken.
        std::size_t end = columns;
        if (rest[columns] != Blank) {
            const std::size_t blank = rest.substr(0, columns).find_last_of(Blank);
            if (blank != std::u32string_view::npos) end = blank;
        }
        lines.emplace_back(TrimBlanksRight(rest.substr(0, end)));
        pos += end;
        while (pos < text.size() && text[pos] == Blank) ++pos;
    } while (pos < text.size());
}

}  // namespace

std::vector<std::u32string> LayoutCaption(std::string_view caption, int columns, int rows) {
    const std::u32string text = DecodeUtf8(ShownText(caption));
    std::vector<std::u32string> lines;
    if (text.empty()) return lines;
    const auto cols = static_cast<std::size_t>(std::max(1, columns));
    const auto maxRows = static_cast<std::size_t>(std::max(1, rows));
    std::size_t start = 0;
    while (lines.size() < maxRows) {
        const std::size_t cr = text.find(static_cast<char32_t>(CR), start);
        const std::u32string_view para =
            std::u32string_view(text).substr(start, cr == std::u32string::npos ? cr : cr - start);
        if (para.empty()) {
            lines.emplace_back();
        } else {
            WrapParagraph(para, cols, maxRows, lines);
        }
        if (cr == std::u32string::npos) break;
        start = cr + 1;
    }
    return lines;
}

int LineOffset(Align align, int width_px, std::size_t length) {
    const int used = static_cast<int>(length) * CellWidth;
    switch (align) {
        case Align::Left:
            return 0;
        case Align::Centre:
            return (width_px - used) / 2;
        case Align::Right:
            return width_px - used;
    }
    return 0;
}

std::vector<PlacedLine> PlaceCaption(std::string_view caption, const PixelRect& r, Align align) {
    const TextGrid grid = GridFor(r.width, r.height);
    std::vector<PlacedLine> out;
    int y = r.top;
    for (std::u32string& line : LayoutCaption(caption, grid.columns, grid.rows)) {
        const int x = r.left + LineOffset(align, r.width, line.size());
        out.push_back({x, y, std::move(line)});
        y += LinePitch;
    }
    return out;
}

int CellColumn(int x_px) {
    return (x_px + CellWidth / 2) / CellWidth;
}

int CellRow(int y_px) {
    return (y_px + LinePitch / 2) / LinePitch;
}

std::vector<PlacedLine> PlaceCaptionInCells(std::string_view caption, const PixelRect& r,
                                            Align align) {
    std::vector<PlacedLine> lines = PlaceCaption(caption, r, align);
    const auto halfInside = static_cast<std::size_t>(std::max(1, CellRow(r.height)));
    if (lines.size() > halfInside) lines.resize(halfInside);
    for (PlacedLine& l : lines) {
        l.x = CellColumn(l.x);
        l.y = CellRow(l.y);
    }
    return lines;
}

}  // namespace vaultmoor
