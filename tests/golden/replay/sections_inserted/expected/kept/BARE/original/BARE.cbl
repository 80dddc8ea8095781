       IDENTIFICATION DIVISION.
       PROGRAM-ID. BARE.
       DATA DIVISION.
       WORKING-STORAGE SECTION.
      *================================================================
      * KVZRPCTL - HOW A PRECOMPILED PROGRAM CALLS THE STAND-IN FOR
      * THE MONITOR (QUILLOX-REPLAY PUTS IT INTO EVERY PROGRAM IT
      * PLAYS).  THE CALLER FILLS THE FIELDS OF ITS REQUEST AND CALLS
      * KVZRP USING THIS BLOCK AND THE AREAS OF THE COMMAND; THE
      * STAND-IN ANSWERS IN THE SAME BLOCK.
      *================================================================
       01  KVZRP-CTL.
      *    THE REQUEST AND WHERE THE COMMAND STANDS (FILE:LINE)
           05  KVZRP-FUNCTION          PIC X(12).
           05  KVZRP-SOURCE            PIC X(40).
      *    MAP, PROGRAM, FILE, QUEUE, FIELD, CONDITION OR KEY NAME;
      *    MAPSET
           05  KVZRP-NAME              PIC X(30).
           05  KVZRP-NAME2             PIC X(30).
      *    OPTIONS BY POSITION: 1 ERASE (E) OR ERASEAUP (U), 2 ALARM,
      *    3 MAPONLY (M) OR DATAONLY (D), 4 FREEKB, 5 FRSET, 6 CURSOR,
      *    7 GTEQ, 8 GENERIC, 9 UPDATE, 10 REWRITE, 11 NEXT, 12 ITEM
           05  KVZRP-OPTIONS           PIC X(12).
      *    Y: THE COMMAND HAS RESP OR NOHANDLE, NO CONDITION JUMPS
           05  KVZRP-NOHANDLE          PIC X.
           05  KVZRP-LENGTH            PIC S9(9) COMP-5.
           05  KVZRP-NUMBER            PIC S9(9) COMP-5.
           05  KVZRP-NUMBER2           PIC S9(9) COMP-5.
      *    THE ANSWER: THE CONDITION, THE HANDLE LABEL TO GO TO (0:
      *    NONE), Y WHEN THE COMMAND IS DONE OR THE DATA CAME
           05  KVZRP-RESP              PIC S9(8) COMP-5.
           05  KVZRP-RESP2             PIC S9(8) COMP-5.
           05  KVZRP-JUMP              PIC S9(4) COMP-5.
           05  KVZRP-DONE              PIC X.
      *    ADDRESSES: THE COMMUNICATION AREA, THE TERMINAL'S USER
      *    AREA, THE INTERFACE BLOCK; THE PROGRAM TO CALL NEXT
           05  KVZRP-POINTER           USAGE POINTER.
           05  KVZRP-POINTER2          USAGE POINTER.
           05  KVZRP-EIB-POINTER       USAGE POINTER.
           05  KVZRP-CALLEE            PIC X(30).
      *    THE CLOCK AND WHAT FORMATTIME AND ASSIGN GIVE BACK
           05  KVZRP-ABSTIME           PIC S9(15) COMP-3.
           05  KVZRP-DAYOFWEEK         PIC S9(9) COMP-5.
           05  KVZRP-DAYOFMONTH        PIC S9(9) COMP-5.
           05  KVZRP-MONTHOFYEAR       PIC S9(9) COMP-5.
           05  KVZRP-YEAR              PIC S9(9) COMP-5.
           05  KVZRP-DAYCOUNT          PIC S9(9) COMP-5.
           05  KVZRP-VALUE             PIC X(80).
      *    A LITERAL OF THE COMMAND, PASSED AS AN AREA
           05  KVZRP-LITERAL           PIC X(1920).
       LINKAGE SECTION.
      *================================================================
      * KVZEIBLK - THE INTERFACE BLOCK THAT THE MONITOR GIVES EVERY
      * TASK: THE TRANSACTION, THE TERMINAL, THE KEY, THE LENGTH OF
      * THE COMMUNICATION AREA AND THE RESPONSE OF THE LAST COMMAND.
      *================================================================
       01  KVZEIBLK.
           02  EIBTIME                 PIC S9(7) COMP-3.
           02  EIBDATE                 PIC S9(7) COMP-3.
           02  EIBTRNID                PIC X(4).
           02  EIBTASKN                PIC S9(7) COMP-3.
           02  EIBTRMID                PIC X(4).
           02  EIBCPOSN                PIC S9(4) COMP.
           02  EIBCALEN                PIC S9(4) COMP.
           02  EIBAID                  PIC X.
           02  EIBFN                   PIC X(2).
           02  EIBRCODE                PIC X(6).
           02  EIBDS                   PIC X(8).
           02  EIBREQID                PIC X(8).
           02  EIBRSRCE                PIC X(8).
           02  EIBRESP                 PIC S9(8) COMP.
           02  EIBRESP2                PIC S9(8) COMP.
       01  KVZRP-COMMAREA              PIC X.
       01  KVZRP-CALLEE-EIB            PIC X(256).
       01  KVZRP-CALLEE-AREA           PIC X(32767).
       PROCEDURE DIVISION USING KVZEIBLK KVZRP-COMMAREA.
      *P1. EXEC ZARN SEND TEXT FROM('BYE') ERASE
      *    END-EXEC.  GO TO P2.
       P1.
           MOVE 'SENDTEXT' TO KVZRP-FUNCTION
           MOVE 'BARE.zsc:4' TO KVZRP-SOURCE
           MOVE 'E           ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE -1 TO KVZRP-NUMBER2
           MOVE 'BYE' TO KVZRP-LITERAL(1:3)
           MOVE 3 TO KVZRP-LENGTH
           CALL 'KVZRP' USING KVZRP-CTL KVZRP-LITERAL(1:3)
           .  GO TO P2.
       P2.
      *    EXEC ZARN RETURN END-EXEC.
           MOVE 'RETURN' TO KVZRP-FUNCTION
           MOVE 'BARE.zsc:7' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE SPACES TO KVZRP-NAME
           MOVE 0 TO KVZRP-LENGTH
           CALL 'KVZRP' USING KVZRP-CTL
           GOBACK
           .
