#!/usr/bin/python3
"""Makes the display font Riruzi from a TrueType base font.

The editions store Greek in a Latin transliteration, one byte per letter.
Riruzi is the base font with the Greek glyphs put on those Latin letters:

    a b g d e z h y i k l m n x o p r s v t u f c q w
    α β γ δ ε ζ η θ ι κ λ μ ν ξ ο π ρ σ ς τ υ φ χ ψ ω

and likewise for the capitals, where both S and V give Σ. Every other
character (digits, space, punctuation, j, Latin-1 letters, Greek itself) keeps
the base font's glyph. The outlines are not touched.

The program's font check reads only TrueType outlines and Windows-platform
names of a format 0 naming table, so the Macintosh character maps and names
are dropped and the family is renamed to "Riruzi" everywhere. The base font's
timestamps are kept so that every build gives the same bytes.
"""

import argparse
import os
import sys

from fontTools.ttLib import TTFont

FAMILY = "Riruzi"
STYLE = "Regular"

LATIN = "abgdezhyiklmnxoprsvtufcqw"
GREEK = "αβγδεζηθικλμνξοπρσςτυφχψω"
LATIN_CAPITALS = LATIN.upper()
GREEK_CAPITALS = "ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΣΤΥΦΧΨΩ"

MAC_PLATFORM = 1
WINDOWS_PLATFORM = 3
UNICODE_BMP = 1
US_ENGLISH = 0x409

# Names rewritten for the new family. The typographic and variation family
# names are dropped so that no other family name is left behind, and so is the
# trademark notice of the base font's name, which Riruzi does not carry.
NAME_IDS_REWRITTEN = (1, 2, 3, 4, 6)
NAME_IDS_DROPPED = (7, 16, 17, 18, 21, 22, 25)


def letter_pairs():
    return list(zip(LATIN + LATIN_CAPITALS, GREEK + GREEK_CAPITALS))


def remap_character_maps(font):
    base = font.getBestCmap()
    glyph_for = {}
    for latin, greek in letter_pairs():
        if ord(greek) not in base:
            sys.exit(f"make_riruzi: the base font has no glyph for U+{ord(greek):04X}")
        glyph_for[ord(latin)] = base[ord(greek)]

    cmap = font["cmap"]
    kept = []
    for table in cmap.tables:
        if table.platformID == MAC_PLATFORM:
            continue
        if table.format in (4, 12):
            table.cmap.update(glyph_for)
        elif table.format != 14:
            # A map we do not rewrite would still show Latin letters.
            continue
        kept.append(table)
    if not any(t.platformID == WINDOWS_PLATFORM and t.format == 4 for t in kept):
        sys.exit("make_riruzi: the base font has no Windows format 4 character map")
    cmap.tables = kept


def rename(font):
    name = font["name"]
    version = font["head"].fontRevision
    name.names = [n for n in name.names if n.platformID != MAC_PLATFORM]
    for name_id in NAME_IDS_REWRITTEN + NAME_IDS_DROPPED:
        name.removeNames(nameID=name_id)
    postscript = f"{FAMILY}-{STYLE}"
    texts = {
        1: FAMILY,
        2: STYLE,
        3: f"{version:.3f};SYNOPTER;{postscript}",
        4: f"{FAMILY} {STYLE}",
        6: postscript,
    }
    for name_id, text in texts.items():
        name.setName(text, name_id, WINDOWS_PLATFORM, UNICODE_BMP, US_ENGLISH)
    if any(n.langID >= 0x8000 for n in name.names):
        sys.exit("make_riruzi: the base font's names need a format 1 naming table")


def licence_text(base_name, copyright_lines, ofl_path):
    with open(ofl_path, encoding="utf-8") as f:
        ofl = f.read()
    return (
        f"{FAMILY} is a Modified Version of {base_name}: its Greek glyphs are mapped\n"
        "to the Latin letters of the transliteration the editions are stored in,\n"
        "and the font is renamed. Like the font it is made from, it is licensed\n"
        "under the SIL Open Font License, Version 1.1.\n\n"
        + "\n".join(copyright_lines)
        + "\n\n"
        + ofl
    )


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--base", required=True, help="TrueType base font (Noto Serif Regular)")
    parser.add_argument("--ofl", required=True, help="text of the SIL Open Font License 1.1")
    parser.add_argument("--output", required=True, help="the font file to write")
    parser.add_argument("--licence", required=True, help="the licence file to write")
    args = parser.parse_args()

    # Nothing about the outlines changes, so bounding boxes are not recomputed:
    # the glyph data is copied as it stands.
    font = TTFont(args.base, recalcTimestamp=False, recalcBBoxes=False)
    if font.sfntVersion != "\x00\x01\x00\x00" or "glyf" not in font:
        sys.exit(f"make_riruzi: {args.base} has no TrueType outlines")

    names = font["name"]
    base_name = names.getDebugName(4) or os.path.basename(args.base)
    copyright_lines = sorted({n.toUnicode() for n in names.names if n.nameID == 0})

    remap_character_maps(font)
    rename(font)
    # The base font's signature no longer fits.
    if "DSIG" in font:
        del font["DSIG"]

    os.makedirs(os.path.dirname(os.path.abspath(args.output)), exist_ok=True)
    os.makedirs(os.path.dirname(os.path.abspath(args.licence)), exist_ok=True)
    licence = licence_text(base_name, copyright_lines, args.ofl)
    # Written beside the targets and renamed, so a failed run leaves no
    # half-written file that the build would take as up to date.
    font.save(args.output + ".tmp")
    with open(args.licence + ".tmp", "w", encoding="utf-8", newline="\n") as f:
        f.write(licence)
    os.replace(args.output + ".tmp", args.output)
    os.replace(args.licence + ".tmp", args.licence)


if __name__ == "__main__":
    main()
