#!/usr/bin/env python3
"""Writes large, realistic inputs for the benchmark.

  generate.py program LINES FILE    a fixed-format program of about LINES lines, 80 columns
  generate.py copybook LINES FILE   a copybook of about LINES lines for NESTLVL
  generate.py application COUNT FOLDER
                                    an application: COUNT programs of about 300 lines in FOLDER,
                                    each copying a record member of its own, every fourth one
                                    also one of 25 members shared by ten programs each
  generate.py members COUNT FOLDER  a program PROG.zsc in FOLDER that copies COUNT distinct
                                    members of three lines each

The program has a sequence number in columns 1-6 and an identification area in columns 73-80
on every line, a working-storage section, a LINKAGE SECTION with the program's own
KVZCOMMAREA declaration, and a procedure division in which about every 40th line starts an
EXEC ZARN command (every form the converter rewrites or reports, one to three lines each) and
about every 20th line names an interface-block field or KVZCOMMAREA. The output is the same
for the same arguments.
"""
import os
import random
import sys

IDENT = "BENCHPRG"

COMMANDS = [
    ["EXEC ZARN SEND MAP('{map}') MAPSET('{set}') ERASE END-EXEC."],
    ["EXEC ZARN SEND MAP('{map}') MAPSET('{set}')",
     "     FROM(WS-{map}-OUT) DATAONLY FREEKB",
     "     END-EXEC."],
    ["EXEC ZARN SEND MAP('{map}') MAPSET('{set}') MAPONLY ALARM",
     "     FRSET ERASEAUP END-EXEC."],
    ["EXEC ZARN SEND MAP('{map}') ACCUM PAGING END-EXEC."],
    ["EXEC ZARN SEND TEXT FROM(WS-MESSAGE) LENGTH(WS-MSG-LEN)",
     "     ERASE FREEKB END-EXEC."],
    ["EXEC ZARN SEND FROM(WS-LINE) LENGTH(80) END-EXEC."],
    ["EXEC ZARN SEND CONTROL FREEKB ALARM END-EXEC."],
    ["EXEC ZARN SEND PAGE RELEASE END-EXEC."],
    ["EXEC ZARN SEND FROM(WS-OUT) CONVID(WS-CONV) END-EXEC."],
    ["EXEC ZARN SEND CTLCHAR(WS-CTL) END-EXEC."],
    ["EXEC ZARN RECEIVE MAP('{map}') MAPSET('{set}')",
     "     INTO(WS-{map}-IN)",
     "     END-EXEC."],
    ["EXEC ZARN RECEIVE INTO(WS-BUFFER) LENGTH(WS-LEN) BUFFER",
     "     END-EXEC."],
    ["EXEC ZARN CONVERSE FROM(WS-OUT) INTO(WS-IN) MAP('{map}')",
     "     END-EXEC."],
    ["EXEC ZARN RETURN TRANSID('{tran}') COMMAREA(WS-COMM)",
     "     LENGTH(WS-COMM-LEN) END-EXEC."],
    ["EXEC ZARN RETURN END-EXEC."],
    ["EXEC ZARN ADDRESS COMMAREA(LS-COMM-PTR) END-EXEC."],
    ["EXEC ZARN ADDRESS TCTUA(LS-TCTUA-PTR) END-EXEC."],
    ["EXEC ZARN HANDLE AID PF3(EXIT-RTN) CLEAR(CLEAR-RTN)",
     "     PF12(CANCEL-RTN) PA1(PA-RTN) END-EXEC."],
    ["EXEC ZARN HANDLE CONDITION MAPFAIL(NO-DATA-RTN) END-EXEC."],
    ["EXEC ZARN LINK PROGRAM('SUBPGM{n}') COMMAREA(WS-COMM)",
     "     LENGTH(WS-COMM-LEN) END-EXEC."],
    ["EXEC ZARN XCTL PROGRAM('NEXTPG{n}') END-EXEC."],
    ["EXEC ZARN ROUTE LIST(WS-ROUTE) END-EXEC."],
    ["EXEC ZARN ASSIGN TERMCODE(WS-TERMCODE) END-EXEC."],
    ["EXEC ZARN READ FILE('CUSTFIL') INTO(WS-CUST)",
     "     RIDFLD(WS-KEY) END-EXEC."],
    ["EXEC SQL SELECT NAME INTO :WS-NAME FROM CUST END-EXEC."],
]

FIELD_LINES = [
    "IF EIBCALEN = ZERO",
    "MOVE EIBAID TO WS-LAST-KEY.",
    "MOVE EIBTRMID TO WS-TERMINAL.",
    "MOVE EIBTRNID TO WS-TRANSACTION.",
    "MOVE EIBCPOSN TO WS-CURSOR.",
    "MOVE KVZCOMMAREA TO WS-SAVED-AREA.",
    "IF EIBAID = KVZPF3 OR EIBCALEN < 10",
]

PLAIN_LINES = [
    "MOVE SPACES TO WS-WORK-AREA.",
    "ADD 1 TO WS-COUNTER.",
    "IF WS-COUNTER > WS-LIMIT",
    "    MOVE 'Y' TO WS-END-FLAG",
    "END-IF.",
    "PERFORM 2000-READ-NEXT THRU 2000-EXIT.",
    "COMPUTE WS-TOTAL = WS-TOTAL + WS-AMOUNT * WS-RATE.",
    "MOVE WS-CUSTOMER-NAME TO WS-OUT-NAME.",
    "STRING WS-FIRST DELIMITED BY SPACE",
    "       WS-LAST DELIMITED BY SIZE INTO WS-FULL-NAME.",
    "EVALUATE TRUE",
    "    WHEN WS-CODE = 'A' PERFORM 3000-ADD",
    "    WHEN OTHER PERFORM 3900-ERROR",
    "END-EVALUATE.",
    "INITIALIZE WS-RECORD.",
    "MOVE 'CUSTOMER ACCOUNT NOT FOUND' TO WS-MESSAGE.",
]


class Writer:
    def __init__(self, out, ident=IDENT):
        self.out = out
        self.count = 0
        self.ident = ident

    def line(self, text, indicator=" ", ident=None):
        self.count += 1
        body = ("%06d" % (self.count * 10 % 1000000)) + indicator + text
        self.out.write(body.ljust(72)[:72] + (ident or self.ident) + "\n")


def program(lines, out, name="BENCHPRG", fields=2000, members=(), seed=20240611):
    rnd = random.Random(seed)
    w = Writer(out, name.ljust(8)[:8])
    w.line("IDENTIFICATION DIVISION.")
    w.line("PROGRAM-ID. %s." % name)
    w.line("AUTHOR. BENCHMARK GENERATOR.", "*")
    w.line("ENVIRONMENT DIVISION.")
    w.line("DATA DIVISION.")
    w.line("WORKING-STORAGE SECTION.")
    w.line("01  WS-AREA.")
    for i in range(fields):
        w.line("    05  WS-FIELD-%04d          PIC X(%d)." % (i, 1 + i % 40))
    for member in members:
        w.line("    COPY %s." % member)
    w.line("    COPY KVZAID.")
    w.line("LINKAGE SECTION.")
    w.line("01  KVZCOMMAREA.")
    w.line("    05  LS-COMM-DATA            PIC X(200).")
    w.line("PROCEDURE DIVISION.")
    paragraph = 0
    next_command = 40
    next_field = 20
    while w.count < lines - 10:
        if w.count % 400 < 1:
            paragraph += 1
            w.line("%04d-PARAGRAPH-%d." % (paragraph % 10000, paragraph))
            continue
        if w.count >= next_command:
            next_command = w.count + 35 + rnd.randrange(11)
            form = COMMANDS[rnd.randrange(len(COMMANDS))]
            values = {"map": "MAP%02d" % rnd.randrange(30), "set": "SET%02d" % rnd.randrange(8),
                      "tran": "T%03d" % rnd.randrange(50), "n": rnd.randrange(10)}
            for part in form:
                w.line("    " + part.format(**values))
            continue
        if w.count >= next_field:
            next_field = w.count + 17 + rnd.randrange(7)
            w.line("    " + FIELD_LINES[rnd.randrange(len(FIELD_LINES))])
            continue
        if rnd.randrange(12) == 0:
            w.line("THIS PARAGRAPH HANDLES THE NEXT STEP OF THE DIALOGUE", "*")
            continue
        w.line("    " + PLAIN_LINES[rnd.randrange(len(PLAIN_LINES))])
    w.line("9999-EXIT.")
    w.line("    EXIT PROGRAM.")
    w.line("END PROGRAM %s." % name)


def record_member(name, fields, out):
    w = Writer(out, name.ljust(8)[:8])
    w.line("01  %s-RECORD." % name)
    for i in range(fields):
        w.line("    05  %s-FIELD-%02d       PIC X(%d)." % (name, i, 1 + i % 30))


def application(count, folder):
    os.makedirs(folder, exist_ok=True)
    for shared in range(25):
        with open(os.path.join(folder, "SHR%02d" % shared), "w", newline="\n") as out:
            record_member("SHR%02d" % shared, 20, out)
    for i in range(count):
        name = "PGM%04d" % i
        members = [name + "R"]
        if i % 4 == 0:
            members.append("SHR%02d" % (i // 4 % 25))
        with open(os.path.join(folder, name + "R"), "w", newline="\n") as out:
            record_member(name + "R", 15, out)
        with open(os.path.join(folder, name + ".zsc"), "w", newline="\n") as out:
            program(300, out, name, 40, members, seed=i)


def members(count, folder):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "PROG.zsc"), "w", newline="\n") as out:
        w = Writer(out, "PROG    ")
        w.line("IDENTIFICATION DIVISION.")
        w.line("PROGRAM-ID. PROG.")
        w.line("DATA DIVISION.")
        w.line("WORKING-STORAGE SECTION.")
        for i in range(count):
            w.line("    COPY M%05d." % i)
        w.line("PROCEDURE DIVISION.")
        w.line("    GOBACK.")
    for i in range(count):
        with open(os.path.join(folder, "M%05d" % i), "w", newline="\n") as out:
            record_member("M%05d" % i, 2, out)


def copybook(lines, out):
    rnd = random.Random(20240612)
    w = Writer(out)
    record = 0
    while w.count < lines:
        record += 1
        w.line("01  CUST-RECORD-%d." % record, ident="CUSTCPY ")
        for group in range(1 + rnd.randrange(4)):
            if w.count >= lines:
                break
            w.line("    05  CUST-GROUP-%d." % group, ident="CUSTCPY ")
            for field in range(2 + rnd.randrange(8)):
                kind = rnd.randrange(10)
                if kind == 0:
                    w.line("    THE NEXT FIELDS ARE KEPT FOR THE OLD FORMAT", "*", "CUSTCPY ")
                elif kind == 1:
                    w.line("        88  CUST-FLAG-%d-ON      VALUE 'Y'." % field, ident="CUSTCPY ")
                elif kind == 2:
                    w.line("        10  CUST-AMT-%d  PIC S9(7)V99 COMP-3." % field, ident="CUSTCPY ")
                else:
                    w.line("        10  CUST-FIELD-%d-%d    PIC X(%d)." % (group, field, 1 + kind * 3),
                           ident="CUSTCPY ")


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ("program", "copybook", "application", "members"):
        sys.stderr.write(__doc__)
        return 2
    if sys.argv[1] in ("application", "members"):
        (application if sys.argv[1] == "application" else members)(int(sys.argv[2]), sys.argv[3])
        return 0
    with open(sys.argv[3], "w", newline="\n") as out:
        (program if sys.argv[1] == "program" else copybook)(int(sys.argv[2]), out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
