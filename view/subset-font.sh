#!/bin/sh
# Keeps of a BDF font only the glyphs of the game's screen and what a player types: ASCII,
# Latin-1 and the characters of code page 437, with the replacement character. A small font
# loads faster at every start. The replacement character (U+FFFD) moves to U+0080, a control
# code never drawn as itself: the font's code table then ends at U+26FF, not at U+FFFF.
# usage: subset-font.sh < full.bdf > subset.bdf
exec awk '
function hex(s,    v, i) {
    for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789ABCDEF", substr(s, i, 1)) - 1
    return v
}
BEGIN {
    # Latin-1 and the rest of code page 437 (its pictures for codes 1-31 and 127 too).
    n = split("0 20-7E A0-FF 192 393 398 3A3 3A6 3A9 3B1 3B4 3B5 3C0 3C3 3C4 3C6 2022 " \
              "203C 207F 20A7 2190-2195 21A8 2219 221A 221E 221F 2229 2248 2261 2264 2265 " \
              "2302 2310 2320 2321 2500 2502 250C 2510 2514 2518 251C 2524 252C 2534 253C " \
              "2550-256C 2580 2584 2588 258C 2590-2593 25A0 25AC 25B2 25BA 25BC 25C4 25CB " \
              "25D8 25D9 263A-263C 2640 2642 2660 2663 2665 2666 266A 266B", ranges, " ")
    for (i = 1; i <= n; i++) {
        split(ranges[i], r, "-")
        lo = hex(r[1]); hi = (2 in r) ? hex(r[2]) : lo
        for (c = lo; c <= hi; c++) keep[c] = 1
        delete r
    }
    keep[128] = 1
}
/^CHARS / { inGlyphs = 1; next }
!inGlyphs { head = head $0 "\n"; next }
/^STARTCHAR/ { glyph = "" }
/^ENCODING/ {
    code = $2
    if (code == 128) code = -1
    if (code == 65533) { code = 128; $0 = "ENCODING 128" }
}
{ glyph = glyph $0 "\n" }
/^ENDCHAR/ { if (code in keep) { body = body glyph; count++ } glyph = "" }
END { printf "%sCHARS %d\n%sENDFONT\n", head, count, body }
'
