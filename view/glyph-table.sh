#!/bin/sh
# Writes the screen font's glyphs as a C++ table for the painter: one entry per character,
# in code point order, each the CellHeight rows of its 8 x 13 cell (leftmost pixel in the
# high bit). Every glyph of the font fills its whole cell, so its bitmap rows are the cell's.
# usage: glyph-table.sh < font.bdf > glyphs.inc
exec awk '
/^ENCODING/ { code = $2 }
/^BBX/ {
    if ($2 != 8 || $3 != 13 || $4 != 0 || $5 != -2) {
        print "glyph-table.sh: glyph " code " is not a whole 8 x 13 cell" > "/dev/stderr"
        exit 1
    }
}
/^BITMAP/ { inBitmap = 1; rows = ""; next }
/^ENDCHAR/ {
    inBitmap = 0
    if (code >= 0) printf "{0x%04X, {%s}},\n", code, rows
    next
}
inBitmap { rows = rows (rows == "" ? "" : ", ") "0x" $1 }
'
