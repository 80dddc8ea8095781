       01  REC-AREA PIC X(10).
