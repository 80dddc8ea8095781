#!/usr/bin/env python3
"""Holds the guide to the manual work to the messages that ask for each step: every message the
"After converting" section of README quotes stands in quillox-migration(7) too, and every text
the page quotes in its steps is a line QUILLOX writes, by the formats of message_format.h.

Usage: guide_check.py README.md RENDERED-PAGE message_format.h
       (RENDERED-PAGE: the page as `LANG=C MANWIDTH=1000 man -l` shows it)
"""
import re
import sys


def flat(text):
    return re.sub(r"\s+", " ", text)


def formats(header):
    """Every string literal of the header, adjacent pieces joined, as a pattern of its lines."""
    literals = re.findall(r'"((?:[^"\\]|\\.)*)"((?:\s*"(?:[^"\\]|\\.)*")*)', header)
    patterns = []
    for first, rest in literals:
        text = first + "".join(re.findall(r'"((?:[^"\\]|\\.)*)"', rest))
        # The page shows a line's blanks as one, and no blanks around it.
        text = flat(text.replace("\\n", " ").replace('\\"', '"')).strip()
        if len(text) < 8:
            continue
        pattern = ""
        for piece in re.split(r"(%\*s|%s|%d|%\.4d|%5d)", text):
            if piece in ("%s",):
                pattern += ".+"
            elif piece == "%*s":
                pattern += " *"
            elif piece in ("%d", "%.4d", "%5d"):
                pattern += r" *\d+"
            else:
                pattern += re.escape(piece)
        patterns.append(re.compile(pattern))
    return patterns


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    readme, page, header = (open(name, encoding="utf-8").read() for name in sys.argv[1:])
    faults = []
    guide = readme[readme.index("## After converting"):readme.index("\n## ", readme.index("## After converting") + 1)]
    quoted = [q for q in re.findall(r'"([^"`$]+)"', flat(guide)) if not q.startswith("..")]
    page_flat = flat(page)
    for message in quoted:
        if message not in page_flat:
            faults.append(f"README quotes {message!r}, which quillox-migration(7) does not")
    steps = page[page.index("THE STEPS"):page.index("COMPILING WITH GNUCOBOL")]
    known = formats(header)
    for text in re.findall(r'"([^"]+)"', flat(steps)):
        if not any(pattern.fullmatch(text.strip()) for pattern in known):
            faults.append(f"quillox-migration(7) quotes {text!r}, which is no line QUILLOX writes")
    if len(quoted) < 20:
        faults.append(f"README's guide quotes only {len(quoted)} messages")
    for fault in faults:
        print(fault, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
