       IDENTIFICATION DIVISION.
       PROGRAM-ID. TRANSFER.
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
       01  WS-AREA                     PIC X(20).
       01  WS-LEN                      PIC S9(4) COMP VALUE 20.
       01  WS-NEXT                     PIC X(8) VALUE 'NEXTPGM'.
       01  WS-RESP                     PIC S9(8) COMP.
       LINKAGE SECTION.
       01  KVZCOMMAREA                 PIC X(20).
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
       01  KVZRP-CALLEE-EIB            PIC X(256).
       01  KVZRP-CALLEE-AREA           PIC X(32767).
       PROCEDURE DIVISION USING KVZEIBLK KVZCOMMAREA.
       0000-MAIN.
      *    EXEC ZARN HANDLE CONDITION PGMIDERR(8000-NO-PROGRAM)
      *                               ERROR(9000-ERROR) NOTFND
      *    END-EXEC.
           MOVE 'HANDLECOND' TO KVZRP-FUNCTION
           MOVE 'TRANSFER.zsc:13' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE 'PGMIDERR' TO KVZRP-NAME
           MOVE 1 TO KVZRP-NUMBER
           CALL 'KVZRP' USING KVZRP-CTL
           MOVE 'HANDLECOND' TO KVZRP-FUNCTION
           MOVE 'TRANSFER.zsc:13' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE 'ERROR' TO KVZRP-NAME
           MOVE 2 TO KVZRP-NUMBER
           CALL 'KVZRP' USING KVZRP-CTL
           MOVE 'HANDLECOND' TO KVZRP-FUNCTION
           MOVE 'TRANSFER.zsc:13' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE 'NOTFND' TO KVZRP-NAME
           MOVE 0 TO KVZRP-NUMBER
           CALL 'KVZRP' USING KVZRP-CTL
           .
      *    EXEC ZARN HANDLE AID PF3(9000-ERROR) ANYKEY END-EXEC.
           MOVE 'HANDLEAID' TO KVZRP-FUNCTION
           MOVE 'TRANSFER.zsc:16' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE 'PF3' TO KVZRP-NAME
           MOVE 2 TO KVZRP-NUMBER
           CALL 'KVZRP' USING KVZRP-CTL
           MOVE 'HANDLEAID' TO KVZRP-FUNCTION
           MOVE 'TRANSFER.zsc:16' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE 'ANYKEY' TO KVZRP-NAME
           MOVE 0 TO KVZRP-NUMBER
           CALL 'KVZRP' USING KVZRP-CTL
           .
      *    EXEC ZARN IGNORE CONDITION LENGERR END-EXEC.
           MOVE 'IGNORE' TO KVZRP-FUNCTION
           MOVE 'TRANSFER.zsc:17' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE 'LENGERR' TO KVZRP-NAME
           MOVE 0 TO KVZRP-NUMBER
           CALL 'KVZRP' USING KVZRP-CTL
           .
           IF EIBCALEN = 0
      *        EXEC ZARN LINK PROGRAM('SUBPGM') COMMAREA(WS-AREA)
      *        END-EXEC
           MOVE 'LINK' TO KVZRP-FUNCTION
           MOVE 'TRANSFER.zsc:19' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE 'SUBPGM' TO KVZRP-NAME
           MOVE LENGTH OF WS-AREA TO KVZRP-LENGTH
           SET KVZRP-POINTER TO ADDRESS OF WS-AREA
           CALL 'KVZRP' USING KVZRP-CTL WS-AREA
           PERFORM UNTIL KVZRP-DONE = 'Y'
           SET ADDRESS OF KVZRP-CALLEE-EIB TO KVZRP-EIB-POINTER
           SET ADDRESS OF KVZRP-CALLEE-AREA TO KVZRP-POINTER
           CALL KVZRP-CALLEE USING KVZRP-CALLEE-EIB KVZRP-CALLEE-AREA
           CANCEL KVZRP-CALLEE
           MOVE 'LINKEND' TO KVZRP-FUNCTION
           CALL 'KVZRP' USING KVZRP-CTL
           END-PERFORM
           GO TO 8000-NO-PROGRAM 9000-ERROR DEPENDING ON KVZRP-JUMP
           END-IF.
      *    EXEC ZARN LINK PROGRAM(WS-NEXT) NOHANDLE END-EXEC.
           MOVE 'LINK' TO KVZRP-FUNCTION
           MOVE 'TRANSFER.zsc:22' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'Y' TO KVZRP-NOHANDLE
           MOVE WS-NEXT TO KVZRP-NAME
           MOVE 0 TO KVZRP-LENGTH
           SET KVZRP-POINTER TO NULL
           CALL 'KVZRP' USING KVZRP-CTL
           PERFORM UNTIL KVZRP-DONE = 'Y'
           SET ADDRESS OF KVZRP-CALLEE-EIB TO KVZRP-EIB-POINTER
           SET ADDRESS OF KVZRP-CALLEE-AREA TO KVZRP-POINTER
           CALL KVZRP-CALLEE USING KVZRP-CALLEE-EIB KVZRP-CALLEE-AREA
           CANCEL KVZRP-CALLEE
           MOVE 'LINKEND' TO KVZRP-FUNCTION
           CALL 'KVZRP' USING KVZRP-CTL
           END-PERFORM
           GO TO 8000-NO-PROGRAM 9000-ERROR DEPENDING ON KVZRP-JUMP
           .
           IF WS-RESP = 27                OR 0               
      *        EXEC ZARN XCTL PROGRAM(WS-NEXT) COMMAREA(WS-AREA)
      *             LENGTH(WS-LEN) RESP(WS-RESP) END-EXEC
           MOVE 'XCTL' TO KVZRP-FUNCTION
           MOVE 'TRANSFER.zsc:24' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'Y' TO KVZRP-NOHANDLE
           MOVE WS-NEXT TO KVZRP-NAME
           MOVE WS-LEN TO KVZRP-LENGTH
           CALL 'KVZRP' USING KVZRP-CTL WS-AREA
           IF KVZRP-DONE = 'Y'
           GOBACK
           END-IF
           MOVE KVZRP-RESP TO WS-RESP
           GO TO 8000-NO-PROGRAM 9000-ERROR DEPENDING ON KVZRP-JUMP
           END-IF.
      *    EXEC ZARN RETURN TRANSID('TRN1') COMMAREA(WS-AREA)
      *         LENGTH(WS-LEN)
      *    END-EXEC.
           MOVE 'RETURN' TO KVZRP-FUNCTION
           MOVE 'TRANSFER.zsc:27' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE 'TRN1' TO KVZRP-NAME
           MOVE WS-LEN TO KVZRP-LENGTH
           CALL 'KVZRP' USING KVZRP-CTL WS-AREA
           GOBACK
           .
       8000-NO-PROGRAM.
      *    EXEC ZARN RETURN END-EXEC.
           MOVE 'RETURN' TO KVZRP-FUNCTION
           MOVE 'TRANSFER.zsc:31' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE SPACES TO KVZRP-NAME
           MOVE 0 TO KVZRP-LENGTH
           CALL 'KVZRP' USING KVZRP-CTL
           GOBACK
           .
       9000-ERROR.
      *    EXEC ZARN ABEND ABCODE('TRF1') END-EXEC.
           MOVE 'ABEND' TO KVZRP-FUNCTION
           MOVE 'TRANSFER.zsc:33' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE 'TRF1' TO KVZRP-NAME
           CALL 'KVZRP' USING KVZRP-CTL
           .
