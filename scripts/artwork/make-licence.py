#!/usr/bin/env python3
"""Turns the licence text (UTF-8, light markup) into the RTF document that
the installer embeds.

    scripts/artwork/make-licence.py [SOURCE [OUTPUT]] [--show]

Defaults: resources/lic-source.txt -> resources/lic.rtf. The markup is
described at the top of the source file. The output is pure 7-bit ASCII:
Polish letters become code page 1250 escapes, and the font is declared with
charset 238, because the rich-edit control picks the code page of an escape
from the font's charset and ignores the document's \\ansicpg. Only basic
paragraph and character formatting is used, so that a small RTF reader can
lay the document out for printing as well.

After writing, the file is read back with a minimal RTF decoder and compared
with the source text; --show prints that decoded text.
"""
import os
import re
import sys

HEADER = (r"{\rtf1\ansi\ansicpg1250\deff0\deflang1045"
          r"{\fonttbl{\f0\fswiss\fcharset238 Tahoma;}}")
BODY = r"\plain\f0\fs16 "
STYLES = {
    "title": r"\pard\qc\sa160\plain\f0\fs20\b\ul ",
    "center": r"\pard\qc\sa120" + BODY,
    "heading": r"\pard\ql\sb160\sa60" + BODY + r"\b ",
    "line": r"\pard\ql\li360" + BODY,
    "line_last": r"\pard\ql\li360\sa120" + BODY,
    "bullet": r"\pard\qj\li360\fi-240\sa40" + BODY + r"\'96 ",
    "para": r"\pard\qj\sa120" + BODY,
}
DASH = "\u2013 "  # what a bullet's lead-in decodes to
INLINE = {"**": (r"\b ", r"\b0 "), "//": (r"\i ", r"\i0 "),
          "__": (r"\ul ", r"\ulnone ")}


class SourceError(Exception):
    pass


# --- source -> paragraphs ---------------------------------------------------

def blocks(lines):
    """Groups non-comment lines into blocks separated by blank lines."""
    block = []
    for no, line in enumerate(lines, 1):
        line = line.rstrip("\r\n").rstrip(" ")
        if line.startswith("#"):
            continue
        if line.strip():
            block.append((no, line))
        elif block:
            yield block
            block = []
    if block:
        yield block


def paragraphs(block):
    """Yields (style, text, line number) for one block."""
    no, first = block[0]
    if first.startswith(("= ", "^ ", "| ")):
        style = {"=": "title", "^": "center", "|": "line"}[first[0]]
        for i, (no, line) in enumerate(block):
            if line[:2] != first[:2]:
                raise SourceError(f"line {no}: mixed markers in one block")
            if style == "line" and i == len(block) - 1:
                style = "line_last"
            yield style, line[2:].strip(), no
    elif first.startswith("§"):
        if len(block) != 1:
            raise SourceError(f"line {no}: a heading stands alone")
        yield "heading", first, no
    elif first.startswith("- "):
        item, start = [], no
        for no, line in block:
            if line.startswith("- "):
                if item:
                    yield "bullet", " ".join(item), start
                item, start = [line[2:].strip()], no
            else:
                item.append(line.strip())
        yield "bullet", " ".join(item), start
    else:
        yield "para", " ".join(line.strip() for _, line in block), no


def parse(text):
    out = []
    for block in blocks(text.splitlines()):
        out.extend(paragraphs(block))
    return out


# --- paragraphs -> RTF ------------------------------------------------------

def escape(ch, no):
    if ch in "\\{}":
        return "\\" + ch
    if ch == "\t":
        return r"\tab "
    if " " <= ch <= "~":
        return ch
    try:
        code = ch.encode("cp1250")
    except UnicodeEncodeError:
        raise SourceError(f"line {no}: {ch!r} has no code page 1250 form")
    return "\\'%02x" % code[0]


def inline(text, no):
    """Escapes text and turns the inline markers into toggles."""
    out, open_ = [], set()
    for part in re.split(r"(\*\*|//|__)", text):
        if part in INLINE:
            on, off = INLINE[part]
            out.append(off if part in open_ else on)
            open_ ^= {part}
        else:
            out.extend(escape(ch, no) for ch in part)
    if open_:
        raise SourceError(f"line {no}: unclosed {' '.join(sorted(open_))}")
    return "".join(out)


def to_rtf(paras):
    lines = [HEADER]
    for style, text, no in paras:
        lines.append(STYLES[style] + inline(text, no) + r"\par")
    lines.append("}")
    return "\r\n".join(lines) + "\r\n"


# --- check: RTF -> plain text -----------------------------------------------

TOKEN = re.compile(r"\\'([0-9a-fA-F]{2})|\\([a-z]+)(-?\d+)? ?|\\(.)|([{}])|"
                   r"([\r\n]+)|([^\\{}\r\n]+)")


def decode(rtf):
    """Plain text of an RTF document: enough of RTF for what to_rtf writes."""
    out, depth, skip_at = [], 0, None
    for m in TOKEN.finditer(rtf):
        hexa, word, _, sym, brace, _nl, text = m.groups()
        if brace:
            depth += 1 if brace == "{" else -1
            if skip_at is not None and depth < skip_at:
                skip_at = None
            continue
        if word == "fonttbl":
            skip_at = depth
        if skip_at is not None:
            continue
        if hexa:
            out.append(bytes([int(hexa, 16)]).decode("cp1250"))
        elif word == "par":
            out.append("\n")
        elif word == "tab":
            out.append("\t")
        elif sym:
            out.append(sym)
        elif text:
            out.append(text)
    return "".join(out)


def expected_text(paras):
    strip = re.compile(r"\*\*|//|__")
    return "".join((DASH if s == "bullet" else "") + strip.sub("", t) + "\n"
                   for s, t, _ in paras)


def main(argv):
    show = "--show" in argv
    args = [a for a in argv if a != "--show"]
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
    src = args[0] if args else os.path.join(root, "resources", "lic-source.txt")
    dst = args[1] if len(args) > 1 else os.path.join(root, "resources",
                                                     "lic.rtf")
    with open(src, encoding="utf-8") as f:
        paras = parse(f.read())
    rtf = to_rtf(paras)
    with open(dst, "w", encoding="ascii", newline="") as f:
        f.write(rtf)
    back = decode(rtf)
    if back != expected_text(paras):
        sys.exit("decoded RTF differs from the source text")
    if show:
        sys.stdout.write(back)
    print(f"{os.path.normpath(dst)}: {len(rtf)} bytes, {len(paras)} paragraphs")


if __name__ == "__main__":
    try:
        main(sys.argv[1:])
    except SourceError as e:
        sys.exit(f"lic-source: {e}")
