#!/usr/bin/env python3
"""Finishes one converted program the way README's "After converting" tells a user to: it makes
in NAME.new and NAMEFE.cbl exactly the changes that the messages of NAME.msg ask for, and no
other. Prints one line per step made.

Usage: finish_conversion.py NESTLVL FOLDER NAME [INCLUDE-FOLDER]...

FOLDER holds NAME.zsc as it was converted, NAME.new, NAME.msg and, when one was built, the front
end NAMEFE.cbl; the members NAME.zsc copies are in FOLDER or the include folders. The steps:

- "*** KVZAID is not copied": COPY KVZAID after the WORKING-STORAGE SECTION header.
- "*** USRCOMM has no layout": a user area of 100 characters, under the inserted 02 USRCOMM (or a
  02 USRCOMM of that size after COPY STDHEAD where no LINKAGE SECTION held one).
- "*** map area A is in WORKING-STORAGE": the member that declares A (at level 01) no longer
  copied in WORKING-STORAGE; a copy of it raised by NESTLVL to level 02, named after the member
  with "2" (MENUSET2), copied after the USRCOMM items of the converted program and of the front
  end; the USRCOMM items put into a member NAMECA, which both copy, so that the front end's
  USRCOMM has the converted program's layout.
"""
import os
import re
import subprocess
import sys

NOT_COPIED = re.compile(r"^ *line [0-9]+ - \*\*\* KVZAID is not copied")
NO_LAYOUT = re.compile(r"^ *line [0-9]+ - \*\*\* USRCOMM has no layout")
MAP_AREA = re.compile(r"^ *line [0-9]+ - \*\*\* map area (\S+) is in WORKING-STORAGE")
INSERT_COMMENT = "      * Insert User COMMAREA, TCTUA, ZVL MAPS HERE"
MEMBER_EXTENSIONS = ["", ".cpy", ".CPY", ".cbl", ".CBL", ".cob", ".COB"]


def fail(text):
    print("finish_conversion: " + text, file=sys.stderr)
    sys.exit(1)


def read_lines(path):
    with open(path, encoding="latin-1") as file:
        return file.read().split("\n")


def write_lines(path, lines):
    with open(path, "w", encoding="latin-1") as file:
        file.write("\n".join(lines))


def code(line):
    """Columns 8 to 72 of a line that is no comment, in capitals; empty for comments."""
    if len(line) < 8 or line[6] in "*/":
        return ""
    return line[7:72].upper()


def words(line):
    return code(line).replace(".", " ").split()


def is_header(line, first, second):
    found = words(line)
    return first in found and second in found


def copied_member(line):
    """The member a COPY line names, without quotes, or None."""
    found = re.match(r"\s*COPY\s+['\"]?([^'\".\s]+)", code(line))
    return found.group(1) if found else None


def declares(line, level_numbers, name=None):
    """Whether the line's first word is one of the level numbers (and the next one `name`)."""
    found = words(line)
    if len(found) < 2 or not found[0].isdigit() or int(found[0]) not in level_numbers:
        return False
    return name is None or found[1] == name


def member_path(name, folders):
    for folder in folders:
        for extension in MEMBER_EXTENSIONS:
            path = os.path.join(folder, name + extension)
            if os.path.isfile(path):
                return path
    return None


def working_storage(lines):
    """The indexes of the lines of the WORKING-STORAGE SECTION."""
    inside = False
    for index, line in enumerate(lines):
        if is_header(line, "WORKING-STORAGE", "SECTION"):
            inside = True
        elif "SECTION" in words(line) or "DIVISION" in words(line):
            inside = False
        elif inside:
            yield index


def add_kvzaid(lines):
    for index, line in enumerate(lines):
        if is_header(line, "WORKING-STORAGE", "SECTION"):
            lines.insert(index + 1, "           COPY KVZAID.")
            return
    fail("no WORKING-STORAGE SECTION to copy KVZAID into")


def add_user_area(lines):
    if INSERT_COMMENT in lines:
        lines.insert(lines.index(INSERT_COMMENT) + 1, "           03  USER-AREA PIC X(100).")
        return
    for index, line in enumerate(lines):
        if line.rstrip() == "           COPY STDHEAD.":
            lines.insert(index + 1, "           02  USRCOMM PIC X(100).")
            return
    fail("no inserted communication area to declare USRCOMM in")


def usrcomm_items(lines):
    """The first index of the USRCOMM items and the index after the last one."""
    if INSERT_COMMENT in lines:
        start = lines.index(INSERT_COMMENT) + 1
    else:
        start = next((i + 1 for i, line in enumerate(lines)
                      if re.match(r"\s*02\s+USRCOMM\b", code(line))), None)
        if start is None:
            fail("no USRCOMM to put the map areas after")
    end = start
    while end < len(lines) and not declares(lines[end], {1, 77}) and \
            not is_header(lines[end], "PROCEDURE", "DIVISION"):
        end += 1
    return start, end


def move_map_areas(nestlvl, folder, name, areas, include_folders, converted, front_end):
    # The members of WORKING-STORAGE that declare the areas, in the order they are copied.
    program = read_lines(os.path.join(folder, name + ".zsc"))
    members = []
    left = set(areas)
    for index in working_storage(program):
        member = copied_member(program[index])
        if member is None:
            if any(declares(program[index], {1}, area) for area in left):
                fail("a map area declared in the program itself is moved by hand")
            continue
        path = member_path(member, [folder] + include_folders)
        if path is None:
            continue
        declared = {area for area in left if any(declares(line, {1}, area)
                                                 for line in read_lines(path))}
        if declared:
            members.append((member, path))
            left -= declared
    if left:
        fail("no member of WORKING-STORAGE declares " + ", ".join(sorted(left)))

    copies = []
    for member, path in members:
        # The member's COPY leaves WORKING-STORAGE; a copy raised to level 02 follows USRCOMM.
        for index in list(working_storage(converted)):
            if copied_member(converted[index]) == member.upper():
                del converted[index]
                break
        raised = member + "2"
        subprocess.run([nestlvl, os.path.abspath(path), raised], cwd=folder, check=True)
        copies.append("           COPY %s." % raised)
        print("map areas of %s moved after USRCOMM as %s" % (member, raised))

    # The USRCOMM items go into a member of their own that the front end copies too.
    start, end = usrcomm_items(converted)
    layout = name + "CA"
    write_lines(os.path.join(folder, layout), converted[start:end] + [""])
    converted[start:end] = ["           COPY %s." % layout] + copies
    if front_end is not None:
        for index, line in enumerate(front_end):
            if re.match(r"\s*02\s+USRCOMM\b", code(line)):
                front_end[index:index + 1] = ["           02  USRCOMM.",
                                              "           COPY %s." % layout] + copies
                break
        else:
            fail("the front end has no 02 USRCOMM")
    print("USRCOMM layout in %s, copied by the program and the front end" % layout)


def main():
    if len(sys.argv) < 4:
        fail("usage: finish_conversion.py NESTLVL FOLDER NAME [INCLUDE-FOLDER]...")
    nestlvl, folder, name = os.path.abspath(sys.argv[1]), sys.argv[2], sys.argv[3]
    include_folders = sys.argv[4:]
    messages = read_lines(os.path.join(folder, name + ".msg"))
    converted_path = os.path.join(folder, name + ".new")
    front_end_path = os.path.join(folder, name + "FE.cbl")
    converted = read_lines(converted_path)
    front_end = read_lines(front_end_path) if os.path.isfile(front_end_path) else None

    if any(NOT_COPIED.match(line) for line in messages):
        add_kvzaid(converted)
        print("COPY KVZAID")
    if any(NO_LAYOUT.match(line) for line in messages):
        add_user_area(converted)
        print("USRCOMM layout")
    areas = [found.group(1) for found in map(MAP_AREA.match, messages) if found]
    if areas:
        move_map_areas(nestlvl, folder, name, areas, include_folders, converted, front_end)

    write_lines(converted_path, converted)
    if front_end is not None:
        write_lines(front_end_path, front_end)


if __name__ == "__main__":
    main()
