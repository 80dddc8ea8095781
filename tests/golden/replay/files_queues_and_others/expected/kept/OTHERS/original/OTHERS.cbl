       IDENTIFICATION DIVISION.
       PROGRAM-ID. OTHERS.
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
       01  WS-KEY                      PIC X(6).
       01  WS-REC                      PIC X(40).
       01  WS-LEN                      PIC S9(4) COMP.
       01  WS-ITEM                     PIC S9(4) COMP.
       01  WS-TIME                     PIC S9(15) COMP-3.
       01  WS-DATE                     PIC X(10).
       01  WS-CLOCK                    PIC X(8).
       01  WS-TERM                     PIC X(4).
       01  WS-PTR                      USAGE POINTER.
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
      *    EXEC ZARN READ FILE('STOCK') INTO(WS-REC) RIDFLD(WS-KEY)
      *         LENGTH(WS-LEN) GTEQ UPDATE
      *    END-EXEC.
           MOVE 'READ' TO KVZRP-FUNCTION
           MOVE 'OTHERS.zsc:15' TO KVZRP-SOURCE
           MOVE '      G U   ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE 'STOCK' TO KVZRP-NAME
           MOVE LENGTH OF WS-KEY TO KVZRP-NUMBER
           MOVE WS-LEN TO KVZRP-LENGTH
           CALL 'KVZRP' USING KVZRP-CTL WS-REC WS-KEY
           MOVE KVZRP-LENGTH TO WS-LEN
           .
      *    EXEC ZARN REWRITE DATASET('STOCK') FROM(WS-REC) END-EXEC.
           MOVE 'REWRITE' TO KVZRP-FUNCTION
           MOVE 'OTHERS.zsc:18' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE 'STOCK' TO KVZRP-NAME
           MOVE 0 TO KVZRP-NUMBER
           MOVE LENGTH OF WS-REC TO KVZRP-LENGTH
           CALL 'KVZRP' USING KVZRP-CTL WS-REC
           .
      *    EXEC ZARN STARTBR FILE('STOCK') RIDFLD(WS-KEY) END-EXEC.
           MOVE 'STARTBR' TO KVZRP-FUNCTION
           MOVE 'OTHERS.zsc:19' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE 'STOCK' TO KVZRP-NAME
           MOVE LENGTH OF WS-KEY TO KVZRP-NUMBER
           MOVE 0 TO KVZRP-LENGTH
           CALL 'KVZRP' USING KVZRP-CTL OMITTED WS-KEY
           .
      *    EXEC ZARN READNEXT FILE('STOCK') INTO(WS-REC) RIDFLD(WS-KEY)
      *    END-EXEC.
           MOVE 'READNEXT' TO KVZRP-FUNCTION
           MOVE 'OTHERS.zsc:20' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE 'STOCK' TO KVZRP-NAME
           MOVE LENGTH OF WS-KEY TO KVZRP-NUMBER
           MOVE LENGTH OF WS-REC TO KVZRP-LENGTH
           CALL 'KVZRP' USING KVZRP-CTL WS-REC WS-KEY
           .
      *    EXEC ZARN ENDBR FILE('STOCK') END-EXEC.
           MOVE 'ENDBR' TO KVZRP-FUNCTION
           MOVE 'OTHERS.zsc:22' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE 'STOCK' TO KVZRP-NAME
           MOVE 0 TO KVZRP-NUMBER
           MOVE 0 TO KVZRP-LENGTH
           CALL 'KVZRP' USING KVZRP-CTL OMITTED
           .
      *    EXEC ZARN WRITEQ TS QUEUE('Q1') FROM(WS-REC) ITEM(WS-ITEM)
      *    END-EXEC.
           MOVE 'WRITEQ' TO KVZRP-FUNCTION
           MOVE 'OTHERS.zsc:23' TO KVZRP-SOURCE
           MOVE '           I' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE 'Q1' TO KVZRP-NAME
           MOVE WS-ITEM TO KVZRP-NUMBER
           MOVE LENGTH OF WS-REC TO KVZRP-LENGTH
           CALL 'KVZRP' USING KVZRP-CTL WS-REC
           MOVE KVZRP-NUMBER TO WS-ITEM
           .
      *    EXEC ZARN READQ TS QUEUE('Q1') INTO(WS-REC) LENGTH(WS-LEN) NEXT
      *    END-EXEC.
           MOVE 'READQ' TO KVZRP-FUNCTION
           MOVE 'OTHERS.zsc:25' TO KVZRP-SOURCE
           MOVE '          N ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE 'Q1' TO KVZRP-NAME
           MOVE 0 TO KVZRP-NUMBER
           MOVE WS-LEN TO KVZRP-LENGTH
           CALL 'KVZRP' USING KVZRP-CTL WS-REC
           MOVE KVZRP-LENGTH TO WS-LEN
           .
      *    EXEC ZARN DELETEQ TS QUEUE('Q1') END-EXEC.
           MOVE 'DELETEQ' TO KVZRP-FUNCTION
           MOVE 'OTHERS.zsc:27' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE 'Q1' TO KVZRP-NAME
           MOVE 0 TO KVZRP-NUMBER
           CALL 'KVZRP' USING KVZRP-CTL
           .
      *    EXEC ZARN ASKTIME ABSTIME(WS-TIME) END-EXEC.
           MOVE 'ASKTIME' TO KVZRP-FUNCTION
           MOVE 'OTHERS.zsc:28' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           CALL 'KVZRP' USING KVZRP-CTL
           MOVE KVZRP-ABSTIME TO WS-TIME
           .
      *    EXEC ZARN FORMATTIME ABSTIME(WS-TIME) YYYYMMDD(WS-DATE)
      *         DATESEP('-') TIME(WS-CLOCK) END-EXEC.
           MOVE 'FORMATTIME' TO KVZRP-FUNCTION
           MOVE 'OTHERS.zsc:29' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE WS-TIME TO KVZRP-ABSTIME
           MOVE '-' TO KVZRP-NAME
           MOVE SPACE TO KVZRP-NAME2
           CALL 'KVZRP' USING KVZRP-CTL
           MOVE KVZRP-VALUE(1:10) TO WS-DATE
           MOVE KVZRP-VALUE(69:6) TO WS-CLOCK
           .
      *    EXEC ZARN ASSIGN TERMID(WS-TERM) SCRNWD(WS-LEN) END-EXEC.
           MOVE 'ASSIGN' TO KVZRP-FUNCTION
           MOVE 'OTHERS.zsc:31' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE 'TERMID' TO KVZRP-NAME
           CALL 'KVZRP' USING KVZRP-CTL
           MOVE KVZRP-VALUE(1:KVZRP-LENGTH) TO WS-TERM
           MOVE 'ASSIGN' TO KVZRP-FUNCTION
           MOVE 'OTHERS.zsc:31' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE 'SCRNWD' TO KVZRP-NAME
           CALL 'KVZRP' USING KVZRP-CTL
           MOVE KVZRP-NUMBER TO WS-LEN
           .
      *    EXEC ZARN ADDRESS TCTUA(WS-PTR) END-EXEC.
           MOVE 'ADDRESS' TO KVZRP-FUNCTION
           MOVE 'OTHERS.zsc:32' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           CALL 'KVZRP' USING KVZRP-CTL
           SET WS-PTR TO KVZRP-POINTER2
           .
      *    EXEC ZARN SYNCPOINT END-EXEC.
           MOVE 'SYNCPOINT' TO KVZRP-FUNCTION
           MOVE 'OTHERS.zsc:33' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           CALL 'KVZRP' USING KVZRP-CTL
           .
      *    EXEC ZARN RETURN END-EXEC.
           MOVE 'RETURN' TO KVZRP-FUNCTION
           MOVE 'OTHERS.zsc:34' TO KVZRP-SOURCE
           MOVE '            ' TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-NOHANDLE
           MOVE SPACES TO KVZRP-NAME
           MOVE 0 TO KVZRP-LENGTH
           CALL 'KVZRP' USING KVZRP-CTL
           GOBACK
           .
