#!/usr/bin/env python3
"""Turns the manual's source (docs/manual.md) into the RTF document that the help
window opens. Word, WordPad and LibreOffice Writer read RTF whatever the file's
extension, so the build installs it under the settings file's default manual name.

The source is a small part of Markdown: "#", "##" and "###" headings, paragraphs,
"- " and "1. " list items (continued by indented lines), code lines indented by four
blanks, **bold** for the names shown on the screen and `code` for file names and
commands. Bold is written as a group of its own, {\\b name}, so that a test can read
the screen names back out of the document.

    manual_to_rtf.py SOURCE TARGET
"""
import re
import sys

HEADER = (
    r"{\rtf1\ansi\ansicpg1252\deff0"
    r"{\fonttbl{\f0\fswiss Arial;}{\f1\fmodern Courier New;}}"
    r"\paperw11906\paperh16838\margl1134\margr1134\margt1134\margb1134"
    r"\viewkind4\uc1"
)
BODY = r"\pard\sa120\f0\fs20 "
STYLES = {
    1: r"\pard\sb120\sa240\keepn\f0\fs36\b ",
    2: r"\pard\sb240\sa120\keepn\f0\fs28\b ",
    3: r"\pard\sb180\sa60\keepn\f0\fs22\b ",
}
ITEM = r"\pard\fi-340\li340\sa60\f0\fs20 "
CODE = r"\pard\li340\sa0\f1\fs18 "


def escape(text):
    out = []
    for ch in text:
        if ch in "\\{}":
            out.append("\\" + ch)
        elif ord(ch) < 128:
            out.append(ch)
        else:
            try:
                out.append("\\'%02x" % ch.encode("cp1252")[0])
            except UnicodeEncodeError:
                out.append("\\u%d?" % (ord(ch) if ord(ch) < 32768 else ord(ch) - 65536))
    return "".join(out)


INLINE = re.compile(r"\*\*(.+?)\*\*|`([^`]+)`")


def inline(text):
    out, at = [], 0
    for m in INLINE.finditer(text):
        out.append(escape(text[at:m.start()]))
        if m.group(1) is not None:
            out.append(r"{\b " + escape(m.group(1)) + "}")
        else:
            out.append(r"{\f1 " + escape(m.group(2)) + "}")
        at = m.end()
    out.append(escape(text[at:]))
    return "".join(out)


def blocks(lines):
    """Yields (kind, data): ("heading", (level, text)), ("para", text),
    ("item", (mark, text)), ("code", [lines])."""
    para, item, code = [], None, []

    def flush():
        nonlocal para, item, code
        if para:
            yield ("para", " ".join(para))
        if item:
            yield ("item", (item[0], " ".join(item[1])))
        if code:
            yield ("code", code)
        para, item, code = [], None, []

    for raw in lines:
        line = raw.rstrip("\r\n").rstrip()
        heading = re.match(r"^(#{1,3}) (.*)$", line)
        listed = re.match(r"^(- |\d+\. )(.*)$", line)
        if not line:
            yield from flush()
        elif heading:
            yield from flush()
            yield ("heading", (len(heading.group(1)), heading.group(2)))
        elif listed:
            yield from flush()
            item = (listed.group(1).strip(), [listed.group(2)])
        elif item and re.match(r"^ {2,3}\S", line):
            item[1].append(line.strip())
        elif line.startswith("    ") and not para:
            code.append(line[4:])
        else:
            if item or code:  # a paragraph right after a list item or code starts after it
                yield from flush()
            para.append(line.strip())
    yield from flush()


def to_rtf(source):
    out = [HEADER]
    for kind, data in blocks(source.splitlines()):
        if kind == "heading":
            level, text = data
            out.append(STYLES[level] + inline(text) + r"\b0\par")
        elif kind == "para":
            out.append(BODY + inline(data) + r"\par")
        elif kind == "item":
            mark, text = data
            bullet = r"\'95" if mark == "-" else escape(mark)
            out.append(ITEM + bullet + r"\tab " + inline(text) + r"\par")
        else:
            for line in data:
                out.append(CODE + escape(line) + r"\par")
    out.append("}")
    return "\r\n".join(out) + "\r\n"


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as f:
        rtf = to_rtf(f.read())
    with open(sys.argv[2], "w", encoding="ascii", newline="") as f:
        f.write(rtf)


if __name__ == "__main__":
    main()
