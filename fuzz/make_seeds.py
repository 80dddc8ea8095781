#!/usr/bin/env python3
"""Makes the seed inputs of the fuzz targets from the golden cases' input files.

  fuzz/make_seeds.py      (from the repository root; rewrites fuzz/corpus/quillox and nestlvl)

quillox: the program, byte 0x1E, one member renamed MEMB (the name the target gives its member
file; the program's COPY lines are changed to match), byte 0x1E, the case's front-end template
(the shipped one for a case that asks for a front end without a template of its own).
nestlvl: each copybook as it is. Inputs that are the same are kept once. Seeds whose name
begins with "hand_" were written by hand and are left alone.
"""
import hashlib
import os
import re
import sys

SEPARATOR = b"\x1e"


def case_inputs(tool):
    root = os.path.join("tests", "golden", tool)
    for case in sorted(os.listdir(root)):
        folder = os.path.join(root, case, "input")
        if not os.path.isdir(folder):
            continue
        files = {}
        for name in sorted(os.listdir(folder)):
            path = os.path.join(folder, name)
            if os.path.isfile(path):
                with open(path, "rb") as f:
                    files[name] = f.read()
        yield case, files


def write_seeds(target, seeds):
    folder = os.path.join("fuzz", "corpus", target)
    os.makedirs(folder, exist_ok=True)
    for name in os.listdir(folder):
        if not name.startswith("hand_"):  # seeds written by hand stay
            os.remove(os.path.join(folder, name))
    seen = set()
    for case, data in seeds:
        digest = hashlib.sha1(data).hexdigest()
        if digest in seen or len(data) > 64 * 1024:
            continue
        seen.add(digest)
        with open(os.path.join(folder, case), "wb") as f:
            f.write(data)
    print("%s: %d seeds" % (target, len(seen)))


def quillox_seeds():
    template = b""
    sample = os.path.join("samples", "NEWDSP4.TXT")
    if os.path.isfile(sample):
        with open(sample, "rb") as f:
            template = f.read()
    for case, files in case_inputs("quillox"):
        programs = [name for name in files if name.endswith(".zsc")]
        if not programs:
            continue
        program = files[programs[0]]
        members = [name for name in files if not name.endswith(".zsc") and name != "NEWDSP4.TXT"]
        member = b""
        if members:
            name = members[0]
            member = files[name]
            stem = re.escape(name.split(".")[0].encode())
            program = re.sub(rb"(?<![A-Z0-9-])" + stem + rb"(?![A-Z0-9-])", b"MEMB", program)
            member = re.sub(rb"(?<![A-Z0-9-])" + stem + rb"(?![A-Z0-9-])", b"MEMB", member)
        # The shipped template goes with the cases that build a front end, the others keep the
        # seeds small.
        args_path = os.path.join("tests", "golden", "quillox", case, "args")
        three_arguments = os.path.isfile(args_path) and len(open(args_path, "rb").read().splitlines()) >= 3
        seed = program + SEPARATOR + member + SEPARATOR + files.get("NEWDSP4.TXT", template if three_arguments else b"")
        yield case, seed


def nestlvl_seeds():
    for case, files in case_inputs("nestlvl"):
        for name, data in files.items():
            yield case, data
            break


def main():
    write_seeds("quillox", quillox_seeds())
    write_seeds("nestlvl", nestlvl_seeds())
    return 0


if __name__ == "__main__":
    sys.exit(main())
