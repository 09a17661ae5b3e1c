#!/usr/bin/python3
"""The screen font as an outline font, for the page's text and the Windows command box, made
from the cut-down BDF: every ink pixel of a glyph becomes a square of the outline, so a
browser or Windows draws the same glyphs as the painter at any whole-number size.
The stand-in glyph, kept at U+0080 in the BDF, goes back to U+FFFD.
usage: outline-font.py SCREEN.bdf OUT.woff2|OUT.woff|OUT.ttf"""
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

UNIT = 128  # font units to a pixel


def read_bdf(path):
    """{code: (width, ascent, rows of 0/1)} and the font's ascent and descent."""
    glyphs, props, glyph = {}, {}, None
    with open(path, encoding="latin-1") as f:
        lines = iter(f.read().splitlines())
    for line in lines:
        key, _, rest = line.partition(" ")
        if key in ("FONT_ASCENT", "FONT_DESCENT"):
            props[key] = int(rest)
        elif key == "ENCODING":
            glyph = {"code": int(rest.split()[0])}
        elif key == "DWIDTH":
            glyph["advance"] = int(rest.split()[0])
        elif key == "BBX":
            glyph["bbx"] = [int(v) for v in rest.split()]
        elif key == "BITMAP":
            w, h, _, _ = glyph["bbx"]
            rows = []
            for _ in range(h):
                bits = int(next(lines), 16)
                width = 4 * ((w + 7) // 8 * 2)
                rows.append([(bits >> (width - 1 - x)) & 1 for x in range(w)])
            glyph["rows"] = rows
            glyphs[glyph["code"]] = glyph
    return glyphs, props["FONT_ASCENT"], props["FONT_DESCENT"]


def outline(glyph):
    """The glyph's ink as closed contours along the pixel edges: ink on the left of every
    edge (clockwise, as TrueType wants), holes the other way round."""
    w, h, xoff, yoff = glyph["bbx"]
    rows = glyph["rows"]

    def ink(x, y):  # y counts up from the bottom row of the box
        return 0 <= x < w and 0 <= y < h and rows[h - 1 - y][x]

    edges = {}  # start -> ends; two where pixels touch at a corner only

    def edge(a, b):
        edges.setdefault(a, []).append(b)

    for y in range(h):
        for x in range(w):
            if not ink(x, y):
                continue
            if not ink(x, y + 1):
                edge((x, y + 1), (x + 1, y + 1))
            if not ink(x + 1, y):
                edge((x + 1, y + 1), (x + 1, y))
            if not ink(x, y - 1):
                edge((x + 1, y), (x, y))
            if not ink(x - 1, y):
                edge((x, y), (x, y + 1))
    pen = TTGlyphPen(None)
    while edges:
        start = point = next(iter(edges))
        loop = []
        while not loop or point != start:
            loop.append(point)
            ends = edges[point]
            nxt = ends.pop()
            if not ends:
                del edges[point]
            point = nxt
        # Only the corners: drop the points in the middle of a straight run.
        corners = [p for i, p in enumerate(loop)
                   if (loop[i - 1][0] == p[0]) != (p[0] == loop[(i + 1) % len(loop)][0])]
        pen.moveTo(((corners[0][0] + xoff) * UNIT, (corners[0][1] + yoff) * UNIT))
        for x, y in corners[1:]:
            pen.lineTo(((x + xoff) * UNIT, (y + yoff) * UNIT))
        pen.closePath()
    return pen.glyph()


def main(source, target):
    glyphs, ascent, descent = read_bdf(source)
    if 128 in glyphs:
        glyphs[0xFFFD] = glyphs.pop(128)
    codes = sorted(c for c in glyphs if c >= 32)
    names = [".notdef"] + [f"uni{c:04X}" for c in codes]
    fb = FontBuilder(UNIT * (ascent + descent), isTTF=True)
    fb.setupGlyphOrder(names)
    fb.setupCharacterMap({c: f"uni{c:04X}" for c in codes})
    source_of = {".notdef": glyphs.get(0, glyphs[32]), **{f"uni{c:04X}": glyphs[c] for c in codes}}
    fb.setupGlyf({n: outline(g) for n, g in source_of.items()})
    glyf = fb.font["glyf"]
    # The left side bearing is the outline's left edge, or the rasteriser shifts the glyph.
    advance = {n: UNIT * g["advance"] for n, g in source_of.items()}
    fb.setupHorizontalMetrics({n: (advance[n], getattr(glyf[n], "xMin", 0)) for n in names})
    fb.setupHorizontalHeader(ascent=UNIT * ascent, descent=-UNIT * descent)
    fb.setupOS2(sTypoAscender=UNIT * ascent, sTypoDescender=-UNIT * descent, sTypoLineGap=0,
                usWinAscent=UNIT * ascent, usWinDescent=UNIT * descent, version=4, fsSelection=0x80,
                xAvgCharWidth=advance["uni0020"])
    fb.setupNameTable({"familyName": "Vaultmoor Screen", "styleName": "Regular"})
    fb.setupPost(isFixedPitch=1)
    if target.endswith((".woff", ".woff2")):
        fb.font.flavor = target.rsplit(".", 1)[1]
    fb.save(target)


if __name__ == "__main__":
    main(*sys.argv[1:])
