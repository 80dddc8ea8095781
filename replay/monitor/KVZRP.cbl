      *================================================================
      * KVZRP - THE STAND-IN FOR THE MONITOR.
      *
      * EVERY EXEC ZARN COMMAND OF A PLAYED PROGRAM BECOMES A CALL OF
      * THIS PROGRAM WITH THE CONTROL BLOCK KVZRPCTL.  IT KEEPS WHAT
      * THE MONITOR KEEPS FOR ONE TASK (THE PROGRAM LEVELS OF LINK,
      * THE HANDLE SETTINGS OF EACH, THE INTERFACE BLOCKS), PLAYS THE
      * COMMAND, WRITES WHAT IT DID TO TRACE.TXT AND ANSWERS IN THE
      * BLOCK.  BETWEEN TASKS THE CONVERSATION (THE NEXT TRANSACTION,
      * THE COMMUNICATION AREA, THE TERMINAL'S USER AREA), THE KEYED
      * FILES AND THE TEMPORARY-STORAGE QUEUES ARE KEPT IN FILES OF
      * THE FOLDER.  ITS RULES ARE THE TABLE OF QUILLOX-REPLAY(1).
      *================================================================
       IDENTIFICATION DIVISION.
       PROGRAM-ID. KVZRP.
       ENVIRONMENT DIVISION.
       INPUT-OUTPUT SECTION.
       FILE-CONTROL.
           SELECT INPUT-FILE ASSIGN TO 'input.txt'
               ORGANIZATION LINE SEQUENTIAL FILE STATUS IS WS-STATUS.
           SELECT TRACE-FILE ASSIGN TO 'trace.txt'
               ORGANIZATION LINE SEQUENTIAL FILE STATUS IS WS-STATUS.
           SELECT STATE-FILE ASSIGN TO 'conversation.dat'
               ORGANIZATION SEQUENTIAL FILE STATUS IS WS-STATUS.
           SELECT RECORD-FILE ASSIGN TO 'files.dat'
               ORGANIZATION SEQUENTIAL FILE STATUS IS WS-STATUS.
           SELECT QUEUE-FILE ASSIGN TO 'queues.dat'
               ORGANIZATION SEQUENTIAL FILE STATUS IS WS-STATUS.
       DATA DIVISION.
       FILE SECTION.
       FD  INPUT-FILE.
       01  INPUT-LINE                  PIC X(2000).
       FD  TRACE-FILE.
       01  TRACE-LINE                  PIC X(140000).
       FD  STATE-FILE.
       01  STATE-RECORD.
           05  SR-TRANSID              PIC X(4).
           05  SR-CALEN                PIC 9(5).
           05  SR-AREA                 PIC X(32767).
           05  SR-TCTUA                PIC X(256).
       FD  RECORD-FILE.
       01  RECORD-RECORD.
           05  RR-FILE                 PIC X(8).
           05  RR-KEYLEN               PIC 9(3).
           05  RR-KEY                  PIC X(64).
           05  RR-LEN                  PIC 9(5).
           05  RR-DATA                 PIC X(4096).
       FD  QUEUE-FILE.
       01  QUEUE-RECORD.
           05  QR-NAME                 PIC X(16).
           05  QR-ITEM                 PIC 9(5).
           05  QR-LEN                  PIC 9(5).
           05  QR-DATA                 PIC X(4096).
       WORKING-STORAGE SECTION.
       01  WS-STATUS                   PIC XX.
      *    THE TURN: WHO PLAYS, THE CLOCK, THE KEY AND THE FIELDS
       01  WS-SIDE                     PIC X(12).
       01  WS-FILL                     PIC X.
       01  WS-FILL-AREA                PIC X(32767) VALUE SPACES.
       01  WS-TERMINAL                 PIC X(4).
       01  WS-DATE                     PIC 9(8).
       01  WS-TIME                     PIC 9(6).
       01  WS-TASKN                    PIC 9(7).
       01  WS-START                    PIC X VALUE 'N'.
       01  WS-KEY                      PIC X(6).
       01  WS-KEY-INDEX                PIC 9(2).
       01  WS-AID                      PIC X.
       01  WS-START-TRANSID            PIC X(4).
       01  WS-TASK-TRANSID             PIC X(4).
       01  WS-TRANSFER-VERB            PIC X(4).
       01  WS-TRANS-COUNT              PIC 9(2) VALUE 0.
       01  WS-TRANS OCCURS 20.
           05  WS-TRANS-CODE           PIC X(4).
           05  WS-TRANS-PROGRAM        PIC X(30).
       01  WS-PROGRAM-COUNT            PIC 9(3) VALUE 0.
       01  WS-PROGRAMS OCCURS 200      PIC X(30).
       01  WS-REFUSED-COUNT            PIC 9(3) VALUE 0.
       01  WS-REFUSED OCCURS 200       PIC X(30).
       01  WS-FIELD-COUNT              PIC 9(3) VALUE 0.
       01  WS-FIELDS OCCURS 200.
           05  WS-FIELD-NAME           PIC X(40).
           05  WS-FIELD-LENGTH         PIC 9(4).
           05  WS-FIELD-VALUE          PIC X(1920).
           05  WS-FIELD-USED           PIC X.
      *    THE PROGRAM LEVELS OF THE TASK: 1 IS THE TASK'S FIRST
      *    PROGRAM, EVERY LINK ADDS ONE
       01  WS-LEVEL                    PIC 9(2) VALUE 1.
       01  WS-LEVELS.
           05  LV OCCURS 9.
               10  LV-PROGRAM          PIC X(30).
               10  LV-EIB              PIC X(256).
               10  LV-AREA-PTR         USAGE POINTER.
               10  LV-CALEN            PIC S9(9) COMP-5.
               10  LV-CALLER-PTR       USAGE POINTER.
               10  LV-CALLER-LEN       PIC S9(9) COMP-5.
               10  LV-DIRECT           PIC X.
               10  LV-XCTL             PIC X.
               10  LV-XCTL-PROGRAM     PIC X(30).
               10  LV-BUFFER           PIC X(32767).
               10  LV-COND OCCURS 84.
                   15  LV-COND-ACTION  PIC X.
                   15  LV-COND-LABEL   PIC S9(4) COMP-5.
               10  LV-AID OCCURS 30.
                   15  LV-AID-ACTION   PIC X.
                   15  LV-AID-LABEL    PIC S9(4) COMP-5.
      *    THE CONVERSATION
       01  WS-NEXT-TRANSID             PIC X(4) VALUE SPACES.
       01  WS-RETURNED                 PIC X VALUE 'N'.
       01  WS-TASK-CALEN               PIC S9(9) COMP-5 VALUE 0.
       01  WS-TCTUA                    PIC X(256).
       01  WS-ENDED                    PIC X VALUE 'N'.
      *    THE KEYED FILES, IN ORDER OF FILE AND KEY
       01  WS-RECORD-COUNT             PIC 9(4) VALUE 0.
       01  WS-RECORDS-CHANGED          PIC X VALUE 'N'.
       01  WS-RECORDS.
           05  WR OCCURS 500.
               10  WR-FILE             PIC X(8).
               10  WR-KEYLEN           PIC 9(3).
               10  WR-KEY              PIC X(64).
               10  WR-LEN              PIC 9(5).
               10  WR-DATA             PIC X(4096).
       01  WS-BROWSES.
           05  WB OCCURS 10.
               10  WB-FILE             PIC X(8).
               10  WB-AT               PIC S9(4) COMP-5.
       01  WS-UPDATE-FILE              PIC X(8) VALUE SPACES.
       01  WS-UPDATE-AT                PIC S9(4) COMP-5 VALUE 0.
      *    THE TEMPORARY-STORAGE QUEUES; ITEM 0 OF A QUEUE HOLDS THE
      *    ITEM THAT READQ NEXT READS
       01  WS-ITEM-COUNT               PIC 9(4) VALUE 0.
       01  WS-QUEUES-CHANGED           PIC X VALUE 'N'.
       01  WS-ITEMS.
           05  WQ OCCURS 500.
               10  WQ-NAME             PIC X(16).
               10  WQ-ITEM             PIC 9(5).
               10  WQ-LEN              PIC 9(5).
               10  WQ-DATA             PIC X(4096).
      *    WORK FIELDS
       01  WS-I                        PIC S9(9) COMP-5.
       01  WS-J                        PIC S9(9) COMP-5.
       01  WS-K                        PIC S9(9) COMP-5.
       01  WS-N                        PIC S9(9) COMP-5.
       01  WS-POS                      PIC S9(9) COMP-5.
       01  WS-LEN                      PIC S9(9) COMP-5.
       01  WS-RUN                      PIC S9(9) COMP-5.
       01  WS-BYTE                     PIC S9(4) COMP-5.
       01  WS-CH                       PIC X.
       01  WS-HEX                      PIC X(16)
                                       VALUE '0123456789ABCDEF'.
       01  WS-COUNT-TEXT               PIC 9(5).
       01  WS-NUMBER-TEXT              PIC -(9)9.
       01  WS-WORD                     PIC X(40).
       01  WS-COND                     PIC S9(4) COMP-5.
       01  WS-COND-NAME                PIC X(12).
       01  WS-LABEL                    PIC S9(4) COMP-5.
       01  WS-FOUND                    PIC X.
       01  WS-KEY-AREA                 PIC X(64).
       01  WS-KEYLEN                   PIC S9(9) COMP-5.
       01  WS-NAME16                   PIC X(16).
       01  WS-INT                      PIC S9(9) COMP-5.
       01  WS-DAYS                     PIC S9(9) COMP-5.
       01  WS-MS                       PIC S9(15) COMP-5.
       01  WS-SECONDS                  PIC S9(9) COMP-5.
       01  WS-YYYYMMDD                 PIC 9(8).
       01  WS-YYYYDDD                  PIC 9(7).
       01  WS-HHMMSS                   PIC 9(6).
       01  WS-DS                       PIC X.
       01  WS-TS                       PIC X.
       01  WS-VALUE                    PIC X(80).
       01  WS-SOURCE                   PIC X(40).
      *    THE CONDITIONS BY THEIR NUMBERS
       01  WS-CONDITION-NAMES.
           05  FILLER PIC X(14) VALUE '00NORMAL'.
           05  FILLER PIC X(14) VALUE '01ERROR'.
           05  FILLER PIC X(14) VALUE '13NOTFND'.
           05  FILLER PIC X(14) VALUE '14DUPREC'.
           05  FILLER PIC X(14) VALUE '15DUPKEY'.
           05  FILLER PIC X(14) VALUE '16INVREQ'.
           05  FILLER PIC X(14) VALUE '17IOERR'.
           05  FILLER PIC X(14) VALUE '19NOTOPEN'.
           05  FILLER PIC X(14) VALUE '20ENDFILE'.
           05  FILLER PIC X(14) VALUE '22LENGERR'.
           05  FILLER PIC X(14) VALUE '23QZERO'.
           05  FILLER PIC X(14) VALUE '26ITEMERR'.
           05  FILLER PIC X(14) VALUE '27PGMIDERR'.
           05  FILLER PIC X(14) VALUE '28TRANSIDERR'.
           05  FILLER PIC X(14) VALUE '36MAPFAIL'.
           05  FILLER PIC X(14) VALUE '44QIDERR'.
           05  FILLER PIC X(14) VALUE '70NOTAUTH'.
           05  FILLER PIC X(14) VALUE '84DISABLED'.
       01  WS-CONDITION-TABLE REDEFINES WS-CONDITION-NAMES.
           05  WS-CONDITION OCCURS 18.
               10  WS-CONDITION-NUMBER PIC 99.
               10  WS-CONDITION-NAME   PIC X(12).
       LINKAGE SECTION.
           COPY KVZRPCTL.
       01  LK-ARG1                     PIC X(32767).
       01  LK-ARG2                     PIC X(32767).
       01  LK-AREA                     PIC X(32767).
           COPY KVZEIBLK.
       PROCEDURE DIVISION USING KVZRP-CTL LK-ARG1 LK-ARG2.
       0000-COMMAND.
           MOVE 0 TO KVZRP-JUMP KVZRP-RESP KVZRP-RESP2
           MOVE KVZRP-SOURCE TO WS-SOURCE
           IF KVZRP-FUNCTION NOT = 'BEGIN'
               SET ADDRESS OF KVZEIBLK TO ADDRESS OF LV-EIB(WS-LEVEL)
               MOVE 0 TO EIBRESP EIBRESP2
           END-IF
           EVALUATE KVZRP-FUNCTION
               WHEN 'BEGIN'       PERFORM 1000-BEGIN
               WHEN 'TASKNEXT'    PERFORM 1100-TASK-NEXT
               WHEN 'END'         PERFORM 1200-END
               WHEN 'SENDMAP'     PERFORM 2000-SEND-MAP
               WHEN 'MAPFIELD'    PERFORM 2010-MAP-FIELD
               WHEN 'SENDEND'     PERFORM 2020-SEND-END
               WHEN 'SENDTEXT'    PERFORM 2030-SEND-TEXT
               WHEN 'SENDFROM'    PERFORM 2030-SEND-TEXT
               WHEN 'SENDCONTROL' PERFORM 2040-SEND-CONTROL
               WHEN 'RECEIVEMAP'  PERFORM 2100-RECEIVE-MAP
               WHEN 'MAPINPUT'    PERFORM 2110-MAP-INPUT
               WHEN 'MAPLENGTH'   PERFORM 2120-MAP-LENGTH
               WHEN 'RECEIVEEND'  PERFORM 2130-RECEIVE-END
               WHEN 'RETURN'      PERFORM 3000-RETURN
               WHEN 'RETURNHEAD'  PERFORM 3010-RETURN-HEAD
               WHEN 'XCTL'        PERFORM 3100-XCTL
               WHEN 'LINK'        PERFORM 3200-LINK
               WHEN 'LINKEND'     PERFORM 3210-LINK-END
               WHEN 'HANDLECOND'  PERFORM 4000-HANDLE-CONDITION
               WHEN 'IGNORE'      PERFORM 4000-HANDLE-CONDITION
               WHEN 'HANDLEAID'   PERFORM 4100-HANDLE-AID
               WHEN 'ADDRESS'     PERFORM 5000-ADDRESS
               WHEN 'ASSIGN'      PERFORM 5100-ASSIGN
               WHEN 'SYNCPOINT'   PERFORM 5200-SYNCPOINT
               WHEN 'ASKTIME'     PERFORM 5300-ASKTIME
               WHEN 'FORMATTIME'  PERFORM 5400-FORMATTIME
               WHEN 'ABEND'       PERFORM 5500-ABEND-COMMAND
               WHEN 'READ'        PERFORM 6000-READ
               WHEN 'WRITE'       PERFORM 6100-WRITE
               WHEN 'REWRITE'     PERFORM 6200-REWRITE
               WHEN 'DELETE'      PERFORM 6300-DELETE
               WHEN 'STARTBR'     PERFORM 6400-STARTBR
               WHEN 'READNEXT'    PERFORM 6500-READNEXT
               WHEN 'READPREV'    PERFORM 6600-READPREV
               WHEN 'ENDBR'       PERFORM 6700-ENDBR
               WHEN 'WRITEQ'      PERFORM 7000-WRITEQ
               WHEN 'READQ'       PERFORM 7100-READQ
               WHEN 'DELETEQ'     PERFORM 7200-DELETEQ
               WHEN OTHER
                   MOVE 'UNKNOWN' TO WS-WORD
                   PERFORM 8000-LINE-START
                   MOVE KVZRP-FUNCTION TO WS-WORD
                   PERFORM 8010-WORD
                   PERFORM 8090-LINE-END
           END-EVALUATE
           IF KVZRP-FUNCTION NOT = 'BEGIN' AND NOT = 'END'
               MOVE KVZRP-RESP TO EIBRESP
               MOVE KVZRP-RESP2 TO EIBRESP2
           END-IF
           GOBACK.
      *----------------------------------------------------------------
      * THE TASK: ITS START, THE NEXT PROGRAM, ITS END
      *----------------------------------------------------------------
       1000-BEGIN.
           OPEN OUTPUT TRACE-FILE
           OPEN INPUT INPUT-FILE
           IF WS-STATUS NOT = '00'
               DISPLAY 'KVZRP: input.txt cannot be read' UPON SYSERR
               STOP RUN
           END-IF
           PERFORM UNTIL 1 = 0
               READ INPUT-FILE AT END EXIT PERFORM END-READ
               PERFORM 1010-INPUT-LINE
           END-PERFORM
           CLOSE INPUT-FILE
           INSPECT WS-FILL-AREA REPLACING ALL SPACE BY WS-FILL
           PERFORM 1020-READ-STATE
           PERFORM 1030-READ-RECORDS
           PERFORM 1040-READ-QUEUES
           IF WS-START = 'Y'
               MOVE WS-START-TRANSID TO WS-NEXT-TRANSID
               MOVE 0 TO WS-TASK-CALEN
               MOVE ALL X'00' TO WS-TCTUA
           END-IF
           IF WS-NEXT-TRANSID = SPACES
               MOVE 'notask' TO WS-WORD
               PERFORM 8000-LINE-START
               PERFORM 8090-LINE-END
               MOVE 'Y' TO KVZRP-DONE WS-ENDED
               EXIT PARAGRAPH
           END-IF
           MOVE SPACES TO KVZRP-CALLEE
           PERFORM VARYING WS-I FROM 1 BY 1 UNTIL WS-I > WS-TRANS-COUNT
               IF WS-TRANS-CODE(WS-I) = WS-NEXT-TRANSID
                   MOVE WS-TRANS-PROGRAM(WS-I) TO KVZRP-CALLEE
               END-IF
           END-PERFORM
           MOVE WS-NEXT-TRANSID TO WS-TASK-TRANSID
           MOVE 1 TO WS-LEVEL
           PERFORM 1050-NEW-LEVEL
           MOVE WS-TASK-CALEN TO EIBCALEN LV-CALEN(1)
           SET LV-AREA-PTR(1) TO ADDRESS OF LV-BUFFER(1)
           MOVE 'task' TO WS-WORD
           PERFORM 8000-LINE-START
           MOVE WS-NEXT-TRANSID TO WS-WORD
           PERFORM 8010-WORD
           MOVE KVZRP-CALLEE TO WS-WORD
           PERFORM 8010-WORD
           MOVE WS-TASK-CALEN TO WS-N
           PERFORM 8020-NUMBER
           PERFORM 8090-LINE-END
           IF KVZRP-CALLEE = SPACES
               MOVE 'TRANSIDERR' TO WS-WORD
               PERFORM 8500-TASK-ABEND
           END-IF
           MOVE SPACES TO WS-NEXT-TRANSID
           MOVE KVZRP-CALLEE TO LV-PROGRAM(1)
           SET KVZRP-EIB-POINTER TO ADDRESS OF LV-EIB(1)
           SET KVZRP-POINTER TO LV-AREA-PTR(1)
           MOVE 'N' TO KVZRP-DONE.

       1010-INPUT-LINE.
           EVALUATE INPUT-LINE(1:8)
               WHEN 'SIDE    ' MOVE INPUT-LINE(10:12) TO WS-SIDE
               WHEN 'FILL    '
                   MOVE INPUT-LINE(10:2) TO WS-WORD
                   PERFORM 8800-HEX-BYTE
                   MOVE WS-CH TO WS-FILL
               WHEN 'TERMINAL' MOVE INPUT-LINE(10:4) TO WS-TERMINAL
               WHEN 'CLOCK   '
                   STRING INPUT-LINE(10:4) INPUT-LINE(15:2)
                       INPUT-LINE(18:2) DELIMITED BY SIZE
                       INTO WS-YYYYMMDD
                   MOVE WS-YYYYMMDD TO WS-DATE
                   STRING INPUT-LINE(21:2) INPUT-LINE(24:2)
                       INPUT-LINE(27:2) DELIMITED BY SIZE
                       INTO WS-HHMMSS
                   MOVE WS-HHMMSS TO WS-TIME
               WHEN 'TASK    ' MOVE INPUT-LINE(10:7) TO WS-TASKN
               WHEN 'TRANS   '
                   ADD 1 TO WS-TRANS-COUNT
                   MOVE INPUT-LINE(10:4)
                       TO WS-TRANS-CODE(WS-TRANS-COUNT)
                   MOVE INPUT-LINE(15:30)
                       TO WS-TRANS-PROGRAM(WS-TRANS-COUNT)
               WHEN 'PROGRAM '
                   ADD 1 TO WS-PROGRAM-COUNT
                   MOVE INPUT-LINE(10:30)
                       TO WS-PROGRAMS(WS-PROGRAM-COUNT)
               WHEN 'REFUSED '
                   ADD 1 TO WS-REFUSED-COUNT
                   MOVE INPUT-LINE(10:30)
                       TO WS-REFUSED(WS-REFUSED-COUNT)
               WHEN 'START   '
                   MOVE 'Y' TO WS-START
                   MOVE INPUT-LINE(10:4) TO WS-START-TRANSID
               WHEN 'KEY     '
                   MOVE INPUT-LINE(10:6) TO WS-KEY
                   MOVE INPUT-LINE(17:2) TO WS-WORD
                   PERFORM 8800-HEX-BYTE
                   MOVE WS-CH TO WS-AID
                   MOVE WS-KEY TO WS-WORD
                   PERFORM 4110-KEY-INDEX
                   MOVE WS-K TO WS-KEY-INDEX
               WHEN 'FIELD   '
                   ADD 1 TO WS-FIELD-COUNT
                   MOVE INPUT-LINE(10:4)
                       TO WS-FIELD-LENGTH(WS-FIELD-COUNT)
                   MOVE INPUT-LINE(15:40)
                       TO WS-FIELD-NAME(WS-FIELD-COUNT)
                   MOVE INPUT-LINE(56:1920)
                       TO WS-FIELD-VALUE(WS-FIELD-COUNT)
                   MOVE 'N' TO WS-FIELD-USED(WS-FIELD-COUNT)
           END-EVALUATE.

       1020-READ-STATE.
           MOVE SPACES TO WS-NEXT-TRANSID
           MOVE 0 TO WS-TASK-CALEN
           MOVE ALL X'00' TO WS-TCTUA
           MOVE WS-FILL-AREA TO LV-BUFFER(1)
           OPEN INPUT STATE-FILE
           IF WS-STATUS = '00'
               READ STATE-FILE
                   NOT AT END
                       MOVE SR-TRANSID TO WS-NEXT-TRANSID
                       MOVE SR-CALEN TO WS-TASK-CALEN
                       IF WS-TASK-CALEN > 0
                           MOVE SR-AREA(1:WS-TASK-CALEN)
                               TO LV-BUFFER(1)(1:WS-TASK-CALEN)
                       END-IF
                       MOVE SR-TCTUA TO WS-TCTUA
               END-READ
               CLOSE STATE-FILE
           END-IF.

       1030-READ-RECORDS.
           MOVE 0 TO WS-RECORD-COUNT
           OPEN INPUT RECORD-FILE
           IF WS-STATUS = '00'
               PERFORM UNTIL 1 = 0
                   READ RECORD-FILE AT END EXIT PERFORM END-READ
                   IF WS-RECORD-COUNT < 500
                       ADD 1 TO WS-RECORD-COUNT
                       MOVE RECORD-RECORD TO WR(WS-RECORD-COUNT)
                   END-IF
               END-PERFORM
               CLOSE RECORD-FILE
           END-IF.

       1040-READ-QUEUES.
           MOVE 0 TO WS-ITEM-COUNT
           OPEN INPUT QUEUE-FILE
           IF WS-STATUS = '00'
               PERFORM UNTIL 1 = 0
                   READ QUEUE-FILE AT END EXIT PERFORM END-READ
                   IF WS-ITEM-COUNT < 500
                       ADD 1 TO WS-ITEM-COUNT
                       MOVE QUEUE-RECORD TO WQ(WS-ITEM-COUNT)
                   END-IF
               END-PERFORM
               CLOSE QUEUE-FILE
           END-IF.

      * A PROGRAM STARTS AT LEVEL WS-LEVEL WITH A FRESH INTERFACE
      * BLOCK AND NO HANDLE SETTINGS.
       1050-NEW-LEVEL.
           MOVE LOW-VALUES TO LV-EIB(WS-LEVEL)
           SET ADDRESS OF KVZEIBLK TO ADDRESS OF LV-EIB(WS-LEVEL)
           COMPUTE EIBDATE = (FUNCTION INTEGER(WS-DATE / 10000) - 1900)
               * 1000 + FUNCTION MOD(FUNCTION DAY-OF-INTEGER(
               FUNCTION INTEGER-OF-DATE(WS-DATE)), 1000)
           MOVE WS-TIME TO EIBTIME
           MOVE WS-TASKN TO EIBTASKN
           MOVE WS-TERMINAL TO EIBTRMID
           MOVE WS-AID TO EIBAID
           MOVE 0 TO EIBCPOSN EIBCALEN EIBRESP EIBRESP2
           MOVE SPACES TO EIBFN EIBRCODE EIBDS EIBREQID EIBRSRCE
           MOVE WS-TASK-TRANSID TO EIBTRNID
           PERFORM VARYING WS-I FROM 1 BY 1 UNTIL WS-I > 84
               MOVE SPACE TO LV-COND-ACTION(WS-LEVEL WS-I)
               MOVE 0 TO LV-COND-LABEL(WS-LEVEL WS-I)
           END-PERFORM
           PERFORM VARYING WS-I FROM 1 BY 1 UNTIL WS-I > 30
               MOVE SPACE TO LV-AID-ACTION(WS-LEVEL WS-I)
               MOVE 0 TO LV-AID-LABEL(WS-LEVEL WS-I)
           END-PERFORM
           MOVE 'N' TO LV-XCTL(WS-LEVEL) LV-DIRECT(WS-LEVEL).

      * THE TASK'S PROGRAM HAS GONE BACK: THE PROGRAM IT TRANSFERRED
      * CONTROL TO RUNS NEXT, OR THE TASK HAS ENDED.
       1100-TASK-NEXT.
           IF LV-XCTL(1) = 'Y'
               PERFORM 3110-XCTL-NEXT
               EXIT PARAGRAPH
           END-IF
           IF WS-RETURNED = 'N'
      *        A PROGRAM THAT GOES BACK WITHOUT RETURN RETURNS.
               MOVE 'return' TO WS-WORD
               PERFORM 8000-LINE-START
               MOVE '-' TO WS-WORD
               PERFORM 8010-WORD
               MOVE 0 TO WS-N
               PERFORM 8020-NUMBER
               MOVE 'goback' TO WS-WORD
               PERFORM 8010-WORD
               PERFORM 8090-LINE-END
           END-IF
           MOVE 'Y' TO KVZRP-DONE.

       1200-END.
           PERFORM 1210-WRITE-STATE
           MOVE 'end' TO WS-WORD
           PERFORM 8000-LINE-START
           PERFORM 8090-LINE-END
           CLOSE TRACE-FILE.

       1210-WRITE-STATE.
           OPEN OUTPUT STATE-FILE
           MOVE WS-NEXT-TRANSID TO SR-TRANSID
           MOVE WS-TASK-CALEN TO SR-CALEN
           MOVE WS-FILL-AREA TO SR-AREA
           IF WS-TASK-CALEN > 0
               MOVE LV-BUFFER(1)(1:WS-TASK-CALEN)
                   TO SR-AREA(1:WS-TASK-CALEN)
           END-IF
           MOVE WS-TCTUA TO SR-TCTUA
           WRITE STATE-RECORD
           CLOSE STATE-FILE
           IF WS-RECORDS-CHANGED = 'Y'
               OPEN OUTPUT RECORD-FILE
               PERFORM VARYING WS-I FROM 1 BY 1
                       UNTIL WS-I > WS-RECORD-COUNT
                   MOVE WR(WS-I) TO RECORD-RECORD
                   WRITE RECORD-RECORD
               END-PERFORM
               CLOSE RECORD-FILE
           END-IF
           IF WS-QUEUES-CHANGED = 'Y'
               OPEN OUTPUT QUEUE-FILE
               PERFORM VARYING WS-I FROM 1 BY 1
                       UNTIL WS-I > WS-ITEM-COUNT
                   MOVE WQ(WS-I) TO QUEUE-RECORD
                   WRITE QUEUE-RECORD
               END-PERFORM
               CLOSE QUEUE-FILE
           END-IF.
      *----------------------------------------------------------------
      * THE SCREEN
      *----------------------------------------------------------------
       2000-SEND-MAP.
           MOVE 'sendmap' TO WS-WORD
           PERFORM 8000-LINE-START
           MOVE KVZRP-NAME TO WS-WORD
           PERFORM 8010-WORD
           MOVE KVZRP-NAME2 TO WS-WORD
           PERFORM 8010-WORD
           PERFORM 8030-SCREEN-OPTIONS
           PERFORM 8090-LINE-END.

       2010-MAP-FIELD.
           MOVE 'field' TO WS-WORD
           PERFORM 8000-LINE-START
           MOVE KVZRP-NAME TO WS-WORD
           PERFORM 8010-WORD
           SET ADDRESS OF LK-AREA TO ADDRESS OF LK-ARG1
           MOVE KVZRP-LENGTH TO WS-LEN
           PERFORM 8040-VALUE
           PERFORM 8090-LINE-END.

       2020-SEND-END.
           MOVE 'sendend' TO WS-WORD
           PERFORM 8000-LINE-START
           PERFORM 8090-LINE-END.

       2030-SEND-TEXT.
           IF KVZRP-FUNCTION = 'SENDTEXT'
               MOVE 'sendtext' TO WS-WORD
           ELSE
               MOVE 'sendfrom' TO WS-WORD
           END-IF
           PERFORM 8000-LINE-START
           PERFORM 8030-SCREEN-OPTIONS
           MOVE KVZRP-LENGTH TO WS-LEN
           IF WS-LEN < 0 OR WS-LEN > 32767
               MOVE 0 TO WS-LEN
           END-IF
           MOVE WS-LEN TO WS-N
           PERFORM 8020-NUMBER
           SET ADDRESS OF LK-AREA TO ADDRESS OF LK-ARG1
           PERFORM 8040-VALUE
           PERFORM 8090-LINE-END.

       2040-SEND-CONTROL.
           MOVE 'sendcontrol' TO WS-WORD
           PERFORM 8000-LINE-START
           PERFORM 8030-SCREEN-OPTIONS
           PERFORM 8090-LINE-END.

      * A HANDLED KEY FIRST, THEN MAPFAIL WHEN THE KEY SENT NO DATA,
      * THEN THE FIELDS TYPED.
       2100-RECEIVE-MAP.
           MOVE 'N' TO KVZRP-DONE
           MOVE 'receive' TO WS-WORD
           PERFORM 8000-LINE-START
           MOVE KVZRP-NAME TO WS-WORD
           PERFORM 8010-WORD
           MOVE KVZRP-NAME2 TO WS-WORD
           PERFORM 8010-WORD
           MOVE WS-KEY TO WS-WORD
           PERFORM 8010-WORD
           PERFORM 8090-LINE-END
           IF KVZRP-NOHANDLE NOT = 'Y' AND WS-KEY-INDEX > 0
               MOVE LV-AID-ACTION(WS-LEVEL WS-KEY-INDEX) TO WS-CH
               MOVE LV-AID-LABEL(WS-LEVEL WS-KEY-INDEX) TO WS-LABEL
               IF WS-CH = SPACE AND WS-KEY-INDEX NOT = 1
                   MOVE LV-AID-ACTION(WS-LEVEL 30) TO WS-CH
                   MOVE LV-AID-LABEL(WS-LEVEL 30) TO WS-LABEL
               END-IF
               IF WS-CH = 'H'
                   MOVE WS-LABEL TO KVZRP-JUMP
                   MOVE 'aid' TO WS-WORD
                   PERFORM 8000-LINE-START
                   MOVE WS-KEY TO WS-WORD
                   PERFORM 8010-WORD
                   MOVE WS-LABEL TO WS-N
                   PERFORM 8020-NUMBER
                   PERFORM 8090-LINE-END
                   EXIT PARAGRAPH
               END-IF
           END-IF
           IF WS-KEY-INDEX >= 2 AND WS-KEY-INDEX <= 5
              OR WS-FIELD-COUNT = 0
               MOVE 36 TO WS-COND
               PERFORM 8400-RAISE
               EXIT PARAGRAPH
           END-IF
           MOVE 'Y' TO KVZRP-DONE.

       2110-MAP-INPUT.
           MOVE KVZRP-LENGTH TO WS-LEN
           PERFORM VARYING WS-I FROM 1 BY 1 UNTIL WS-I > WS-FIELD-COUNT
               IF WS-FIELD-NAME(WS-I) = KVZRP-NAME
                   MOVE 'Y' TO WS-FIELD-USED(WS-I)
                   IF WS-LEN > 0
                       MOVE SPACES TO LK-ARG1(1:WS-LEN)
                       MOVE WS-FIELD-LENGTH(WS-I) TO WS-J
                       IF WS-J > WS-LEN
                           MOVE WS-LEN TO WS-J
                       END-IF
                       IF WS-J > 0
                           MOVE WS-FIELD-VALUE(WS-I)(1:WS-J)
                               TO LK-ARG1(1:WS-J)
                       END-IF
                   END-IF
                   MOVE 'input' TO WS-WORD
                   PERFORM 8000-LINE-START
                   MOVE KVZRP-NAME TO WS-WORD
                   PERFORM 8010-WORD
                   SET ADDRESS OF LK-AREA TO ADDRESS OF LK-ARG1
                   PERFORM 8040-VALUE
                   PERFORM 8090-LINE-END
               END-IF
           END-PERFORM.

       2120-MAP-LENGTH.
           MOVE 0 TO KVZRP-NUMBER
           PERFORM VARYING WS-I FROM 1 BY 1 UNTIL WS-I > WS-FIELD-COUNT
               IF WS-FIELD-NAME(WS-I) = KVZRP-NAME
                   MOVE WS-FIELD-LENGTH(WS-I) TO KVZRP-NUMBER
               END-IF
           END-PERFORM.

       2130-RECEIVE-END.
           PERFORM VARYING WS-I FROM 1 BY 1 UNTIL WS-I > WS-FIELD-COUNT
               IF WS-FIELD-USED(WS-I) = 'N'
                   MOVE 'unused' TO WS-WORD
                   PERFORM 8000-LINE-START
                   MOVE WS-FIELD-NAME(WS-I) TO WS-WORD
                   PERFORM 8010-WORD
                   PERFORM 8090-LINE-END
               END-IF
           END-PERFORM.
      *----------------------------------------------------------------
      * THE END OF A PROGRAM, TRANSFERS AND LINKS
      *----------------------------------------------------------------
       3000-RETURN.
           MOVE KVZRP-LENGTH TO WS-LEN
           IF WS-LEN < 0 OR WS-LEN > 32767
               MOVE 0 TO WS-LEN
           END-IF
           IF ADDRESS OF LK-ARG1 = NULL
               MOVE 0 TO WS-LEN
           END-IF
           MOVE 'return' TO WS-WORD
           PERFORM 8000-LINE-START
           MOVE KVZRP-NAME TO WS-WORD
           IF WS-WORD = SPACES
               MOVE '-' TO WS-WORD
           END-IF
           PERFORM 8010-WORD
           MOVE WS-LEN TO WS-N
           PERFORM 8020-NUMBER
           SET ADDRESS OF LK-AREA TO ADDRESS OF LK-ARG1
           PERFORM 8040-VALUE
           PERFORM 8090-LINE-END
           IF WS-LEVEL = 1
               MOVE 'Y' TO WS-RETURNED
               MOVE KVZRP-NAME(1:4) TO WS-NEXT-TRANSID
               MOVE WS-LEN TO WS-TASK-CALEN
               MOVE WS-FILL-AREA TO LV-BUFFER(1)
               IF WS-LEN > 0
                   MOVE LK-ARG1(1:WS-LEN) TO LV-BUFFER(1)(1:WS-LEN)
               END-IF
           END-IF.

      * WHAT A FRONT END OR CLIENT LEAVES IN THE HEADER FOR THE NEXT
      * TURN: THE PROGRAM'S OWN AREA AS LONG AS USRCALEN SAYS.
       3010-RETURN-HEAD.
           MOVE KVZRP-NUMBER TO WS-LEN
           IF WS-LEN > KVZRP-LENGTH
               MOVE KVZRP-LENGTH TO WS-LEN
           END-IF
           IF WS-LEN < 0
               MOVE 0 TO WS-LEN
           END-IF
           MOVE 'returnhead' TO WS-WORD
           PERFORM 8000-LINE-START
           MOVE KVZRP-NAME TO WS-WORD
           IF WS-WORD = SPACES
               MOVE '-' TO WS-WORD
           END-IF
           PERFORM 8010-WORD
           MOVE KVZRP-NUMBER TO WS-N
           PERFORM 8020-NUMBER
           SET ADDRESS OF LK-AREA TO ADDRESS OF LK-ARG1
           PERFORM 8040-VALUE
           PERFORM 8090-LINE-END.

       3100-XCTL.
           MOVE 'xctl' TO WS-TRANSFER-VERB
           PERFORM 8310-TRANSFER-LINE
           IF WS-FOUND = 'N'
               MOVE 'N' TO KVZRP-DONE
               MOVE 27 TO WS-COND
               PERFORM 8400-RAISE
               EXIT PARAGRAPH
           END-IF
      *    THE AREA IS KEPT BEFORE THE PROGRAM THAT OWNS IT ENDS.
           MOVE WS-FILL-AREA TO LV-BUFFER(WS-LEVEL)
           IF WS-LEN > 0
               MOVE LK-ARG1(1:WS-LEN) TO LV-BUFFER(WS-LEVEL)(1:WS-LEN)
           END-IF
           MOVE WS-LEN TO LV-CALEN(WS-LEVEL)
           MOVE 'Y' TO LV-XCTL(WS-LEVEL)
           MOVE KVZRP-NAME TO LV-XCTL-PROGRAM(WS-LEVEL)
           MOVE 'Y' TO KVZRP-DONE.

      * THE PROGRAM THAT XCTL NAMED TAKES THE LEVEL OVER.
       3110-XCTL-NEXT.
           MOVE LV-CALEN(WS-LEVEL) TO WS-LEN
           PERFORM 1050-NEW-LEVEL
           MOVE WS-LEN TO LV-CALEN(WS-LEVEL) EIBCALEN
           MOVE LV-XCTL-PROGRAM(WS-LEVEL) TO LV-PROGRAM(WS-LEVEL)
               KVZRP-CALLEE
           SET LV-AREA-PTR(WS-LEVEL) TO ADDRESS OF LV-BUFFER(WS-LEVEL)
           SET KVZRP-POINTER TO LV-AREA-PTR(WS-LEVEL)
           SET KVZRP-EIB-POINTER TO ADDRESS OF LV-EIB(WS-LEVEL)
           MOVE SPACES TO KVZRP-OPTIONS
           MOVE 'N' TO KVZRP-DONE.

       3200-LINK.
           MOVE 'link' TO WS-TRANSFER-VERB
           PERFORM 8310-TRANSFER-LINE
           IF WS-FOUND = 'N'
               MOVE 'Y' TO KVZRP-DONE
               MOVE 27 TO WS-COND
               PERFORM 8400-RAISE
               EXIT PARAGRAPH
           END-IF
           IF WS-LEVEL >= 9
               MOVE 'Y' TO KVZRP-DONE
               MOVE 'LINKDEPTH' TO WS-WORD
               PERFORM 8500-TASK-ABEND
           END-IF
           ADD 1 TO WS-LEVEL
           PERFORM 1050-NEW-LEVEL
           MOVE KVZRP-NAME TO LV-PROGRAM(WS-LEVEL) KVZRP-CALLEE
           MOVE WS-LEN TO LV-CALEN(WS-LEVEL) LV-CALLER-LEN(WS-LEVEL)
               EIBCALEN
           SET LV-CALLER-PTR(WS-LEVEL) TO KVZRP-POINTER
           IF WS-LEN > 0
               SET LV-AREA-PTR(WS-LEVEL) TO KVZRP-POINTER
           ELSE
               MOVE WS-FILL-AREA TO LV-BUFFER(WS-LEVEL)
               SET LV-AREA-PTR(WS-LEVEL)
                   TO ADDRESS OF LV-BUFFER(WS-LEVEL)
           END-IF
           MOVE KVZRP-OPTIONS(1:1) TO LV-DIRECT(WS-LEVEL)
           SET KVZRP-POINTER TO LV-AREA-PTR(WS-LEVEL)
           SET KVZRP-EIB-POINTER TO ADDRESS OF LV-EIB(WS-LEVEL)
           MOVE 'N' TO KVZRP-DONE.

      * THE PROGRAM LINKED TO HAS GONE BACK: THE ONE IT TRANSFERRED
      * CONTROL TO RUNS NEXT, OR THE CALLER GOES ON.
       3210-LINK-END.
           IF LV-XCTL(WS-LEVEL) = 'Y'
               PERFORM 3110-XCTL-NEXT
               EXIT PARAGRAPH
           END-IF
           MOVE 'linkend' TO WS-WORD
           PERFORM 8000-LINE-START
           MOVE LV-PROGRAM(WS-LEVEL) TO WS-WORD
           PERFORM 8010-WORD
           MOVE LV-CALLER-LEN(WS-LEVEL) TO WS-LEN
           MOVE WS-LEN TO WS-N
           PERFORM 8020-NUMBER
           SET ADDRESS OF LK-AREA TO LV-CALLER-PTR(WS-LEVEL)
           PERFORM 8040-VALUE
           PERFORM 8090-LINE-END
           SUBTRACT 1 FROM WS-LEVEL
           MOVE 'Y' TO KVZRP-DONE.
      *----------------------------------------------------------------
      * HANDLE AND IGNORE: EACH SETTING REPLACES THE EARLIER ONE OF
      * ITS CONDITION OR KEY, FOR THE PROGRAM LEVEL THAT MADE IT
      *----------------------------------------------------------------
       4000-HANDLE-CONDITION.
           MOVE KVZRP-NAME TO WS-COND-NAME
           PERFORM 8200-CONDITION-NUMBER
           IF WS-COND < 1
               EXIT PARAGRAPH
           END-IF
           IF KVZRP-FUNCTION = 'IGNORE'
               MOVE 'I' TO LV-COND-ACTION(WS-LEVEL WS-COND)
               MOVE 0 TO LV-COND-LABEL(WS-LEVEL WS-COND)
           ELSE
               IF KVZRP-NUMBER > 0
                   MOVE 'H' TO LV-COND-ACTION(WS-LEVEL WS-COND)
               ELSE
                   MOVE SPACE TO LV-COND-ACTION(WS-LEVEL WS-COND)
               END-IF
               MOVE KVZRP-NUMBER TO LV-COND-LABEL(WS-LEVEL WS-COND)
           END-IF.

       4100-HANDLE-AID.
           MOVE KVZRP-NAME TO WS-WORD
           PERFORM 4110-KEY-INDEX
           IF WS-K = 0
               EXIT PARAGRAPH
           END-IF
      *    A KEY NAMED WITHOUT A LABEL IS TAKEN WITHOUT A JUMP.
           IF KVZRP-NUMBER > 0
               MOVE 'H' TO LV-AID-ACTION(WS-LEVEL WS-K)
           ELSE
               MOVE 'I' TO LV-AID-ACTION(WS-LEVEL WS-K)
           END-IF
           MOVE KVZRP-NUMBER TO LV-AID-LABEL(WS-LEVEL WS-K).

      * THE PLACE OF KEY WS-WORD IN THE KEY TABLES: ENTER 1, CLEAR 2,
      * PA1 TO PA3 3 TO 5, PF1 TO PF24 6 TO 29, ANYKEY 30; 0 WHEN IT IS
      * NONE OF THEM.
       4110-KEY-INDEX.
           MOVE 0 TO WS-K
           EVALUATE TRUE
               WHEN WS-WORD = 'ENTER'  MOVE 1 TO WS-K
               WHEN WS-WORD = 'CLEAR'  MOVE 2 TO WS-K
               WHEN WS-WORD = 'ANYKEY' MOVE 30 TO WS-K
               WHEN WS-WORD = 'PA1'    MOVE 3 TO WS-K
               WHEN WS-WORD = 'PA2'    MOVE 4 TO WS-K
               WHEN WS-WORD = 'PA3'    MOVE 5 TO WS-K
               WHEN WS-WORD(1:2) = 'PF'
                   IF WS-WORD(4:1) = SPACE
                       MOVE WS-WORD(3:1) TO WS-COUNT-TEXT
                       COMPUTE WS-K = FUNCTION NUMVAL(WS-WORD(3:1)) + 5
                   ELSE
                       COMPUTE WS-K = FUNCTION NUMVAL(WS-WORD(3:2)) + 5
                   END-IF
                   IF WS-K < 6 OR WS-K > 29
                       MOVE 0 TO WS-K
                   END-IF
           END-EVALUATE.

      *----------------------------------------------------------------
      * ADDRESSES, THE TERMINAL, SYNCPOINT, THE CLOCK, ABEND
      *----------------------------------------------------------------
       5000-ADDRESS.
           IF LV-CALEN(WS-LEVEL) > 0
               SET KVZRP-POINTER TO LV-AREA-PTR(WS-LEVEL)
           ELSE
               SET KVZRP-POINTER TO NULL
           END-IF
           SET KVZRP-POINTER2 TO ADDRESS OF WS-TCTUA
           SET KVZRP-EIB-POINTER TO ADDRESS OF LV-EIB(WS-LEVEL).

       5100-ASSIGN.
           MOVE SPACES TO KVZRP-VALUE
           MOVE 8 TO KVZRP-LENGTH
           MOVE 0 TO KVZRP-NUMBER
           EVALUATE KVZRP-NAME
               WHEN 'TERMID'
                   MOVE WS-TERMINAL TO KVZRP-VALUE
                   MOVE 4 TO KVZRP-LENGTH
               WHEN 'TRANSID'
                   MOVE WS-TASK-TRANSID TO KVZRP-VALUE
                   MOVE 4 TO KVZRP-LENGTH
               WHEN 'AID'
                   MOVE WS-AID TO KVZRP-VALUE
                   MOVE 1 TO KVZRP-LENGTH
               WHEN 'CURSOR'    MOVE 0 TO KVZRP-NUMBER
               WHEN 'APPLID'    MOVE 'REPLAY' TO KVZRP-VALUE
               WHEN 'SYSID'
                   MOVE 'RPLY' TO KVZRP-VALUE
                   MOVE 4 TO KVZRP-LENGTH
               WHEN 'USERID'    MOVE 'REPLAY' TO KVZRP-VALUE
               WHEN 'OPID'
                   MOVE 'RPL' TO KVZRP-VALUE
                   MOVE 3 TO KVZRP-LENGTH
               WHEN 'TERMCODE'
                   MOVE 'D4' TO KVZRP-VALUE
                   MOVE 2 TO KVZRP-LENGTH
               WHEN 'NETNAME'   MOVE WS-TERMINAL TO KVZRP-VALUE
               WHEN 'SCRNHT'    MOVE 24 TO KVZRP-NUMBER
               WHEN 'SCRNWD'    MOVE 80 TO KVZRP-NUMBER
               WHEN 'TCTUALENG' MOVE 256 TO KVZRP-NUMBER
               WHEN 'CWALENG'   MOVE 0 TO KVZRP-NUMBER
           END-EVALUATE.

       5200-SYNCPOINT.
           MOVE 'syncpoint' TO WS-WORD
           PERFORM 8000-LINE-START
           PERFORM 8090-LINE-END.

      * THE CLOCK OF THE DIALOGUE, IN MILLISECONDS SINCE 1900-01-01.
       5300-ASKTIME.
           COMPUTE WS-DAYS = FUNCTION INTEGER-OF-DATE(WS-DATE)
               - FUNCTION INTEGER-OF-DATE(19000101)
           MOVE WS-TIME TO WS-HHMMSS
           COMPUTE WS-SECONDS =
               FUNCTION INTEGER(WS-HHMMSS / 10000) * 3600
               + FUNCTION MOD(FUNCTION INTEGER(WS-HHMMSS / 100), 100)
               * 60
               + FUNCTION MOD(WS-HHMMSS, 100)
           COMPUTE KVZRP-ABSTIME =
               WS-DAYS * 86400000 + WS-SECONDS * 1000
           MOVE WS-TIME TO EIBTIME
           COMPUTE EIBDATE = (FUNCTION INTEGER(WS-DATE / 10000) - 1900)
               * 1000 + FUNCTION MOD(FUNCTION DAY-OF-INTEGER(
               FUNCTION INTEGER-OF-DATE(WS-DATE)), 1000).

      * EVERY FORM AT ITS PLACE IN KVZRP-VALUE, WITH THE SEPARATORS OF
      * KVZRP-NAME (DATES) AND KVZRP-NAME2 (TIMES) WHEN THEY ARE NOT
      * BLANK; A FORM WITHOUT THEM IS SHORTER AT THE SAME PLACE.
       5400-FORMATTIME.
           MOVE KVZRP-ABSTIME TO WS-MS
           IF WS-MS < 0
               MOVE 0 TO WS-MS
           END-IF
           COMPUTE WS-DAYS = WS-MS / 86400000
           COMPUTE WS-SECONDS = FUNCTION MOD(WS-MS, 86400000) / 1000
           COMPUTE WS-INT = FUNCTION INTEGER-OF-DATE(19000101) + WS-DAYS
           MOVE FUNCTION DATE-OF-INTEGER(WS-INT) TO WS-YYYYMMDD
           MOVE FUNCTION DAY-OF-INTEGER(WS-INT) TO WS-YYYYDDD
           COMPUTE WS-HHMMSS = (WS-SECONDS / 3600) * 10000
               + FUNCTION MOD(WS-SECONDS / 60, 60) * 100
               + FUNCTION MOD(WS-SECONDS, 60)
           MOVE KVZRP-NAME(1:1) TO WS-DS
           MOVE KVZRP-NAME2(1:1) TO WS-TS
           MOVE SPACES TO KVZRP-VALUE
           PERFORM 5410-DATE-FORMS
           MOVE FUNCTION MOD(WS-INT, 7) TO WS-N
           MOVE WS-N TO WS-COUNT-TEXT
           MOVE WS-COUNT-TEXT(5:1) TO KVZRP-VALUE(77:1)
           MOVE WS-YYYYMMDD(7:2) TO KVZRP-VALUE(78:2)
           MOVE WS-N TO KVZRP-DAYOFWEEK
           COMPUTE KVZRP-DAYOFMONTH = FUNCTION MOD(WS-YYYYMMDD, 100)
           COMPUTE KVZRP-MONTHOFYEAR =
               FUNCTION MOD(FUNCTION INTEGER(WS-YYYYMMDD / 100), 100)
           COMPUTE KVZRP-YEAR = FUNCTION INTEGER(WS-YYYYMMDD / 10000)
           COMPUTE KVZRP-DAYCOUNT = WS-DAYS.

       5410-DATE-FORMS.
      *    YYYY MM DD, YY MM DD, DD MM YY, MM DD YY, DD MM YYYY,
      *    MM DD YYYY, YY DDD, YYYY DDD, HH MM SS
           MOVE SPACES TO WS-VALUE
           STRING WS-YYYYMMDD(1:4) WS-DS WS-YYYYMMDD(5:2) WS-DS
               WS-YYYYMMDD(7:2) DELIMITED BY SIZE INTO WS-VALUE(1:10)
           STRING WS-YYYYMMDD(3:2) WS-DS WS-YYYYMMDD(5:2) WS-DS
               WS-YYYYMMDD(7:2) DELIMITED BY SIZE INTO WS-VALUE(11:8)
           STRING WS-YYYYMMDD(7:2) WS-DS WS-YYYYMMDD(5:2) WS-DS
               WS-YYYYMMDD(3:2) DELIMITED BY SIZE INTO WS-VALUE(19:8)
           STRING WS-YYYYMMDD(5:2) WS-DS WS-YYYYMMDD(7:2) WS-DS
               WS-YYYYMMDD(3:2) DELIMITED BY SIZE INTO WS-VALUE(27:8)
           STRING WS-YYYYMMDD(7:2) WS-DS WS-YYYYMMDD(5:2) WS-DS
               WS-YYYYMMDD(1:4) DELIMITED BY SIZE INTO WS-VALUE(35:10)
           STRING WS-YYYYMMDD(5:2) WS-DS WS-YYYYMMDD(7:2) WS-DS
               WS-YYYYMMDD(1:4) DELIMITED BY SIZE INTO WS-VALUE(45:10)
           STRING WS-YYYYDDD(3:2) WS-DS WS-YYYYDDD(5:3)
               DELIMITED BY SIZE INTO WS-VALUE(55:6)
           STRING WS-YYYYDDD(1:4) WS-DS WS-YYYYDDD(5:3)
               DELIMITED BY SIZE INTO WS-VALUE(61:8)
           STRING WS-HHMMSS(1:2) WS-TS WS-HHMMSS(3:2) WS-TS
               WS-HHMMSS(5:2) DELIMITED BY SIZE INTO WS-VALUE(69:8)
      *    WITHOUT SEPARATORS THE BLANKS THEY LEFT ARE TAKEN OUT.
           MOVE 1 TO WS-J
           PERFORM VARYING WS-I FROM 1 BY 1 UNTIL WS-I > 76
               MOVE WS-VALUE(WS-I:1) TO WS-CH
               IF (WS-CH = SPACE AND WS-I < 69 AND WS-DS = SPACE)
                  OR (WS-CH = SPACE AND WS-I >= 69 AND WS-TS = SPACE)
                   CONTINUE
               ELSE
                   MOVE WS-CH TO KVZRP-VALUE(WS-J:1)
                   ADD 1 TO WS-J
               END-IF
               IF WS-I = 10 OR 18 OR 26 OR 34 OR 44 OR 54 OR 60 OR 68
                   COMPUTE WS-J = WS-I + 1
               END-IF
           END-PERFORM.

       5500-ABEND-COMMAND.
           MOVE KVZRP-NAME TO WS-WORD
           IF WS-WORD = SPACES
               MOVE '-' TO WS-WORD
           END-IF
           PERFORM 8500-TASK-ABEND.
      *----------------------------------------------------------------
      * KEYED FILES: THE RECORDS OF THE SCRIPT, IN ORDER OF FILE AND
      * KEY; KEYS ARE COMPARED AS LONG AS KEYLENGTH OR THE KEY FIELD
      *----------------------------------------------------------------
      * THE KEY OF THE COMMAND, BLANK-FILLED, AND ITS LENGTH.
       6010-COMMAND-KEY.
           MOVE SPACES TO WS-KEY-AREA
           MOVE KVZRP-NUMBER TO WS-KEYLEN
           IF WS-KEYLEN > 64
               MOVE 64 TO WS-KEYLEN
           END-IF
           IF WS-KEYLEN > 0 AND ADDRESS OF LK-ARG2 NOT = NULL
               MOVE LK-ARG2(1:WS-KEYLEN) TO WS-KEY-AREA(1:WS-KEYLEN)
           END-IF
           IF WS-KEYLEN < 1
               MOVE 1 TO WS-KEYLEN
           END-IF.

      * WS-J: THE FIRST RECORD OF THE FILE WHOSE KEY IS EQUAL TO THE
      * COMMAND'S (WS-FOUND 'Y') OR, WITH GTEQ, NOT LOWER; 0 WHEN NONE.
      * WS-K: WHERE A RECORD WITH THE KEY WOULD STAND.
       6020-FIND-RECORD.
           MOVE 0 TO WS-J
           MOVE 'N' TO WS-FOUND
           MOVE 0 TO WS-K
           PERFORM VARYING WS-I FROM 1 BY 1 UNTIL WS-I > WS-RECORD-COUNT
               IF WR-FILE(WS-I) = KVZRP-NAME(1:8)
                   IF WR-KEY(WS-I)(1:WS-KEYLEN)
                       = WS-KEY-AREA(1:WS-KEYLEN)
                       IF WS-J = 0
                           MOVE WS-I TO WS-J
                           MOVE 'Y' TO WS-FOUND
                       END-IF
                   END-IF
                   IF WR-KEY(WS-I)(1:WS-KEYLEN)
                       > WS-KEY-AREA(1:WS-KEYLEN)
                       AND WS-J = 0 AND KVZRP-OPTIONS(7:1) = 'G'
                       MOVE WS-I TO WS-J
                   END-IF
                   IF WR-KEY(WS-I) < WS-KEY-AREA AND WS-K < WS-I
                       MOVE WS-I TO WS-K
                   END-IF
               ELSE
                   IF WR-FILE(WS-I) < KVZRP-NAME(1:8)
                       MOVE WS-I TO WS-K
                   END-IF
               END-IF
           END-PERFORM
           ADD 1 TO WS-K.

      * NOTOPEN FOR A FILE OF WHICH THE SCRIPT HAS NO RECORD.
       6030-FILE-KNOWN.
           MOVE 'N' TO WS-FOUND
           PERFORM VARYING WS-I FROM 1 BY 1 UNTIL WS-I > WS-RECORD-COUNT
               IF WR-FILE(WS-I) = KVZRP-NAME(1:8)
                   MOVE 'Y' TO WS-FOUND
               END-IF
           END-PERFORM
           IF WS-FOUND = 'N' AND KVZRP-FUNCTION NOT = 'WRITE'
               MOVE 19 TO WS-COND
           ELSE
               MOVE 0 TO WS-COND
           END-IF.

      * THE RECORD AT WS-J INTO THE COMMAND'S AREA, AS LONG AS IT FITS;
      * LENGERR WHEN IT DOES NOT.
       6040-GIVE-RECORD.
           MOVE WR-LEN(WS-J) TO WS-LEN
           IF WS-LEN > KVZRP-LENGTH
               MOVE 22 TO WS-COND
               MOVE KVZRP-LENGTH TO WS-LEN
           END-IF
           IF WS-LEN > 0
               MOVE WR-DATA(WS-J)(1:WS-LEN) TO LK-ARG1(1:WS-LEN)
           END-IF
           MOVE WR-LEN(WS-J) TO KVZRP-LENGTH
           IF ADDRESS OF LK-ARG2 NOT = NULL AND KVZRP-NUMBER > 0
               MOVE WR-KEY(WS-J)(1:WS-KEYLEN) TO LK-ARG2(1:WS-KEYLEN)
           END-IF.

      * THE TRACE LINE OF A FILE COMMAND: FILE, KEY, CONDITION, RECORD.
       6090-FILE-LINE.
           MOVE 'file' TO WS-WORD
           PERFORM 8000-LINE-START
           MOVE KVZRP-FUNCTION TO WS-WORD
           PERFORM 8010-WORD
           MOVE KVZRP-NAME TO WS-WORD
           PERFORM 8010-WORD
           SET ADDRESS OF LK-AREA TO ADDRESS OF WS-KEY-AREA
           MOVE WS-KEYLEN TO WS-LEN
           PERFORM 8040-VALUE
           PERFORM 8210-CONDITION-NAME
           MOVE WS-COND-NAME TO WS-WORD
           PERFORM 8010-WORD
           IF WS-J > 0 AND WS-J <= WS-RECORD-COUNT AND
              (WS-COND = 0 OR WS-COND = 22 OR WS-COND = 14)
               SET ADDRESS OF LK-AREA TO ADDRESS OF WR-DATA(WS-J)
               MOVE WR-LEN(WS-J) TO WS-LEN
               PERFORM 8040-VALUE
           ELSE
               PERFORM 8050-EMPTY-VALUE
           END-IF
           PERFORM 8090-LINE-END.

       6000-READ.
           PERFORM 6010-COMMAND-KEY
           PERFORM 6030-FILE-KNOWN
           MOVE 0 TO WS-J
           IF WS-COND = 0
               PERFORM 6020-FIND-RECORD
               IF WS-J = 0
                   MOVE 13 TO WS-COND
               ELSE
                   PERFORM 6040-GIVE-RECORD
                   IF KVZRP-OPTIONS(9:1) = 'U'
                       MOVE KVZRP-NAME(1:8) TO WS-UPDATE-FILE
                       MOVE WS-J TO WS-UPDATE-AT
                   END-IF
               END-IF
           END-IF
           PERFORM 6090-FILE-LINE
           PERFORM 6095-FILE-END.

      * THE CONDITION OF A FILE OR QUEUE COMMAND, IF ANY, IS RAISED.
       6095-FILE-END.
           IF WS-COND NOT = 0
               PERFORM 8400-RAISE
           END-IF.

       6100-WRITE.
           PERFORM 6010-COMMAND-KEY
           MOVE 0 TO WS-COND
           PERFORM 6020-FIND-RECORD
           MOVE 0 TO WS-J
           EVALUATE TRUE
               WHEN WS-FOUND = 'Y'
                   MOVE 14 TO WS-COND
               WHEN KVZRP-LENGTH > 4096 OR KVZRP-LENGTH < 1
                   MOVE 22 TO WS-COND
               WHEN WS-RECORD-COUNT >= 500
                   MOVE 17 TO WS-COND
               WHEN OTHER
                   PERFORM VARYING WS-I FROM WS-RECORD-COUNT BY -1
                           UNTIL WS-I < WS-K
                       MOVE WR(WS-I) TO WR(WS-I + 1)
                   END-PERFORM
                   ADD 1 TO WS-RECORD-COUNT
                   MOVE KVZRP-NAME(1:8) TO WR-FILE(WS-K)
                   MOVE WS-KEYLEN TO WR-KEYLEN(WS-K)
                   MOVE WS-KEY-AREA TO WR-KEY(WS-K)
                   MOVE KVZRP-LENGTH TO WR-LEN(WS-K)
                   MOVE SPACES TO WR-DATA(WS-K)
                   MOVE LK-ARG1(1:KVZRP-LENGTH)
                       TO WR-DATA(WS-K)(1:KVZRP-LENGTH)
                   MOVE WS-K TO WS-J
                   MOVE 'Y' TO WS-RECORDS-CHANGED
           END-EVALUATE
           PERFORM 6090-FILE-LINE
           PERFORM 6095-FILE-END.

       6200-REWRITE.
           MOVE 0 TO WS-COND WS-J
           MOVE SPACES TO WS-KEY-AREA
           MOVE 1 TO WS-KEYLEN
           IF WS-UPDATE-FILE NOT = KVZRP-NAME(1:8) OR WS-UPDATE-AT = 0
               MOVE 16 TO WS-COND
           ELSE
               IF KVZRP-LENGTH > 4096 OR KVZRP-LENGTH < 1
                   MOVE 22 TO WS-COND
               ELSE
                   MOVE WS-UPDATE-AT TO WS-J
                   MOVE WR-KEY(WS-J) TO WS-KEY-AREA
                   MOVE WR-KEYLEN(WS-J) TO WS-KEYLEN
                   MOVE KVZRP-LENGTH TO WR-LEN(WS-J)
                   MOVE SPACES TO WR-DATA(WS-J)
                   MOVE LK-ARG1(1:KVZRP-LENGTH)
                       TO WR-DATA(WS-J)(1:KVZRP-LENGTH)
                   MOVE 'Y' TO WS-RECORDS-CHANGED
               END-IF
           END-IF
           MOVE SPACES TO WS-UPDATE-FILE
           MOVE 0 TO WS-UPDATE-AT
           PERFORM 6090-FILE-LINE
           PERFORM 6095-FILE-END.

       6300-DELETE.
           MOVE 0 TO WS-J
           PERFORM 6030-FILE-KNOWN
           IF WS-COND = 0
               IF KVZRP-NUMBER > 0
                   PERFORM 6010-COMMAND-KEY
                   PERFORM 6020-FIND-RECORD
                   IF WS-J = 0 OR WS-FOUND = 'N'
                       MOVE 13 TO WS-COND
                   END-IF
               ELSE
                   MOVE SPACES TO WS-KEY-AREA
                   MOVE 1 TO WS-KEYLEN
                   IF WS-UPDATE-FILE = KVZRP-NAME(1:8)
                       MOVE WS-UPDATE-AT TO WS-J
                       MOVE WR-KEY(WS-J) TO WS-KEY-AREA
                       MOVE WR-KEYLEN(WS-J) TO WS-KEYLEN
                   ELSE
                       MOVE 16 TO WS-COND
                   END-IF
               END-IF
           END-IF
           PERFORM 6090-FILE-LINE
           IF WS-COND = 0 AND WS-J > 0
               PERFORM VARYING WS-I FROM WS-J BY 1
                       UNTIL WS-I >= WS-RECORD-COUNT
                   MOVE WR(WS-I + 1) TO WR(WS-I)
               END-PERFORM
               SUBTRACT 1 FROM WS-RECORD-COUNT
               MOVE 'Y' TO WS-RECORDS-CHANGED
           END-IF
           MOVE SPACES TO WS-UPDATE-FILE
           MOVE 0 TO WS-UPDATE-AT
           PERFORM 6095-FILE-END.

      * THE BROWSE OF A FILE: WS-N ITS ENTRY, 0 WHEN NONE IS OPEN.
       6410-FIND-BROWSE.
           MOVE 0 TO WS-N
           PERFORM VARYING WS-I FROM 1 BY 1 UNTIL WS-I > 10
               IF WB-FILE(WS-I) = KVZRP-NAME(1:8)
                   MOVE WS-I TO WS-N
               END-IF
           END-PERFORM.

       6400-STARTBR.
           PERFORM 6010-COMMAND-KEY
           PERFORM 6030-FILE-KNOWN
           MOVE 0 TO WS-J
           IF WS-COND = 0
               PERFORM 6020-FIND-RECORD
               IF WS-J = 0
                   MOVE 13 TO WS-COND
               ELSE
                   PERFORM 6410-FIND-BROWSE
                   IF WS-N = 0
                       PERFORM VARYING WS-I FROM 1 BY 1
                               UNTIL WS-I > 10 OR WS-N > 0
                           IF WB-FILE(WS-I) = SPACES
                               MOVE WS-I TO WS-N
                           END-IF
                       END-PERFORM
                   END-IF
                   IF WS-N = 0
                       MOVE 16 TO WS-COND
                   ELSE
                       MOVE KVZRP-NAME(1:8) TO WB-FILE(WS-N)
                       MOVE WS-J TO WB-AT(WS-N)
                   END-IF
               END-IF
           END-IF
           MOVE 0 TO WS-J
           PERFORM 6090-FILE-LINE
           PERFORM 6095-FILE-END.

      * READNEXT READS THE RECORD WHERE THE BROWSE STANDS AND GOES ON
      * TO THE NEXT; READPREV READS IT AND GOES BACK ONE.
       6500-READNEXT.
           MOVE 0 TO WS-COND
           PERFORM 6520-BROWSE-READ.

       6600-READPREV.
           MOVE 0 TO WS-COND
           PERFORM 6520-BROWSE-READ.

       6520-BROWSE-READ.
           MOVE SPACES TO WS-KEY-AREA
           MOVE KVZRP-NUMBER TO WS-KEYLEN
           IF WS-KEYLEN < 1 OR WS-KEYLEN > 64
               MOVE 64 TO WS-KEYLEN
           END-IF
           MOVE 0 TO WS-J
           PERFORM 6410-FIND-BROWSE
           IF WS-N = 0
               MOVE 16 TO WS-COND
           ELSE
               MOVE WB-AT(WS-N) TO WS-J
               IF WS-J < 1 OR WS-J > WS-RECORD-COUNT
                   MOVE 20 TO WS-COND
               ELSE
                   IF WR-FILE(WS-J) NOT = KVZRP-NAME(1:8)
                       MOVE 20 TO WS-COND
                   END-IF
               END-IF
               IF WS-COND = 0
                   MOVE WR-KEY(WS-J) TO WS-KEY-AREA
                   PERFORM 6040-GIVE-RECORD
                   IF KVZRP-FUNCTION = 'READNEXT'
                       ADD 1 TO WB-AT(WS-N)
                   ELSE
                       SUBTRACT 1 FROM WB-AT(WS-N)
                   END-IF
               END-IF
           END-IF
           IF WS-COND = 20
               MOVE 0 TO WS-J
           END-IF
           PERFORM 6090-FILE-LINE
           PERFORM 6095-FILE-END.

       6700-ENDBR.
           MOVE 0 TO WS-COND WS-J
           MOVE SPACES TO WS-KEY-AREA
           MOVE 1 TO WS-KEYLEN
           PERFORM 6410-FIND-BROWSE
           IF WS-N = 0
               MOVE 16 TO WS-COND
           ELSE
               MOVE SPACES TO WB-FILE(WS-N)
           END-IF
           PERFORM 6090-FILE-LINE
           PERFORM 6095-FILE-END.
      *----------------------------------------------------------------
      * TEMPORARY-STORAGE QUEUES
      *----------------------------------------------------------------
      * WS-N: THE NUMBER OF ITEMS OF THE QUEUE; WS-J: THE ENTRY OF ITEM
      * KVZRP-NUMBER (0 WHEN THERE IS NONE); WS-K: THE ENTRY OF ITEM 0.
       7010-FIND-QUEUE.
           MOVE KVZRP-NAME(1:16) TO WS-NAME16
           MOVE 0 TO WS-N WS-J WS-K
           PERFORM VARYING WS-I FROM 1 BY 1 UNTIL WS-I > WS-ITEM-COUNT
               IF WQ-NAME(WS-I) = WS-NAME16
                   IF WQ-ITEM(WS-I) = 0
                       MOVE WS-I TO WS-K
                   ELSE
                       ADD 1 TO WS-N
                       IF WQ-ITEM(WS-I) = KVZRP-NUMBER
                           MOVE WS-I TO WS-J
                       END-IF
                   END-IF
               END-IF
           END-PERFORM.

      * THE TRACE LINE OF A QUEUE COMMAND: QUEUE, ITEM, CONDITION, DATA.
       7090-QUEUE-LINE.
           MOVE 'queue' TO WS-WORD
           PERFORM 8000-LINE-START
           MOVE KVZRP-FUNCTION TO WS-WORD
           PERFORM 8010-WORD
           SET ADDRESS OF LK-AREA TO ADDRESS OF WS-NAME16
           MOVE 16 TO WS-LEN
           PERFORM 8040-VALUE
           MOVE KVZRP-NUMBER TO WS-N
           PERFORM 8020-NUMBER
           PERFORM 8210-CONDITION-NAME
           MOVE WS-COND-NAME TO WS-WORD
           PERFORM 8010-WORD
           IF WS-J > 0 AND (WS-COND = 0 OR WS-COND = 22)
               SET ADDRESS OF LK-AREA TO ADDRESS OF WQ-DATA(WS-J)
               MOVE WQ-LEN(WS-J) TO WS-LEN
               PERFORM 8040-VALUE
           ELSE
               PERFORM 8050-EMPTY-VALUE
           END-IF
           PERFORM 8090-LINE-END.

       7000-WRITEQ.
           MOVE 0 TO WS-COND
           IF KVZRP-OPTIONS(10:1) NOT = 'R'
               MOVE 0 TO KVZRP-NUMBER
           END-IF
           PERFORM 7010-FIND-QUEUE
           EVALUATE TRUE
               WHEN KVZRP-LENGTH > 4096 OR KVZRP-LENGTH < 1
                   MOVE 22 TO WS-COND
               WHEN KVZRP-OPTIONS(10:1) = 'R' AND WS-N = 0
                   MOVE 44 TO WS-COND
               WHEN KVZRP-OPTIONS(10:1) = 'R' AND WS-J = 0
                   MOVE 26 TO WS-COND
               WHEN KVZRP-OPTIONS(10:1) NOT = 'R'
                    AND WS-ITEM-COUNT >= 499
                   MOVE 17 TO WS-COND
               WHEN KVZRP-OPTIONS(10:1) NOT = 'R'
                   IF WS-K = 0
                       ADD 1 TO WS-ITEM-COUNT
                       MOVE WS-ITEM-COUNT TO WS-K
                       MOVE WS-NAME16 TO WQ-NAME(WS-K)
                       MOVE 0 TO WQ-ITEM(WS-K)
                       MOVE 1 TO WQ-LEN(WS-K)
                       MOVE SPACES TO WQ-DATA(WS-K)
                   END-IF
                   ADD 1 TO WS-ITEM-COUNT
                   MOVE WS-ITEM-COUNT TO WS-J
                   MOVE WS-NAME16 TO WQ-NAME(WS-J)
                   COMPUTE WQ-ITEM(WS-J) = WS-N + 1
                   MOVE WQ-ITEM(WS-J) TO KVZRP-NUMBER
                   ADD 1 TO WS-N
           END-EVALUATE
           IF WS-COND = 0
               MOVE KVZRP-LENGTH TO WQ-LEN(WS-J)
               MOVE SPACES TO WQ-DATA(WS-J)
               MOVE LK-ARG1(1:KVZRP-LENGTH)
                   TO WQ-DATA(WS-J)(1:KVZRP-LENGTH)
               MOVE 'Y' TO WS-QUEUES-CHANGED
               MOVE WS-N TO KVZRP-NUMBER2
           END-IF
           PERFORM 7090-QUEUE-LINE
           PERFORM 6095-FILE-END.

       7100-READQ.
           MOVE 0 TO WS-COND
           IF KVZRP-OPTIONS(12:1) NOT = 'I'
      *        NEXT: THE ITEM AFTER THE ONE READ LAST.
               MOVE 0 TO KVZRP-NUMBER
               PERFORM 7010-FIND-QUEUE
               IF WS-K > 0
                   COMPUTE KVZRP-NUMBER = WQ-LEN(WS-K)
               ELSE
                   MOVE 1 TO KVZRP-NUMBER
               END-IF
           END-IF
           PERFORM 7010-FIND-QUEUE
           EVALUATE TRUE
               WHEN WS-N = 0
                   MOVE 44 TO WS-COND
               WHEN WS-J = 0
                   MOVE 26 TO WS-COND
               WHEN OTHER
                   MOVE WQ-LEN(WS-J) TO WS-LEN
                   IF WS-LEN > KVZRP-LENGTH
                       MOVE 22 TO WS-COND
                       MOVE KVZRP-LENGTH TO WS-LEN
                   END-IF
                   IF WS-LEN > 0
                       MOVE WQ-DATA(WS-J)(1:WS-LEN) TO LK-ARG1(1:WS-LEN)
                   END-IF
                   MOVE WQ-LEN(WS-J) TO KVZRP-LENGTH
                   MOVE WS-N TO KVZRP-NUMBER2
                   IF WS-K > 0
                       COMPUTE WQ-LEN(WS-K) = KVZRP-NUMBER + 1
                       MOVE 'Y' TO WS-QUEUES-CHANGED
                   END-IF
           END-EVALUATE
           PERFORM 7090-QUEUE-LINE
           PERFORM 6095-FILE-END.

       7200-DELETEQ.
           MOVE 0 TO WS-COND KVZRP-NUMBER
           PERFORM 7010-FIND-QUEUE
           MOVE 0 TO WS-J
           IF WS-N = 0 AND WS-K = 0
               MOVE 44 TO WS-COND
           ELSE
               MOVE 1 TO WS-J
               PERFORM VARYING WS-I FROM 1 BY 1
                       UNTIL WS-I > WS-ITEM-COUNT
                   IF WQ-NAME(WS-I) NOT = WS-NAME16
                       MOVE WQ(WS-I) TO WQ(WS-J)
                       ADD 1 TO WS-J
                   END-IF
               END-PERFORM
               COMPUTE WS-ITEM-COUNT = WS-J - 1
               MOVE 'Y' TO WS-QUEUES-CHANGED
               MOVE 0 TO WS-J
           END-IF
           PERFORM 7090-QUEUE-LINE
           PERFORM 6095-FILE-END.
      *----------------------------------------------------------------
      * THE TRACE, CONDITIONS AND THE END OF A TASK
      *----------------------------------------------------------------
      * A TRACE LINE BEGINS WITH WHAT HAPPENED (WS-WORD), THE PROGRAM
      * LEVEL, THE PROGRAM AND WHERE THE COMMAND STANDS.
       8000-LINE-START.
           MOVE SPACES TO TRACE-LINE
           MOVE 1 TO WS-POS
           STRING FUNCTION TRIM(WS-WORD) DELIMITED BY SIZE
               INTO TRACE-LINE WITH POINTER WS-POS
           COMPUTE WS-N = WS-LEVEL - 1
           PERFORM 8020-NUMBER
           MOVE LV-PROGRAM(WS-LEVEL) TO WS-WORD
           IF WS-WORD = SPACES
               MOVE '-' TO WS-WORD
           END-IF
           PERFORM 8010-WORD
           MOVE WS-SOURCE TO WS-WORD
           IF WS-WORD = SPACES OR KVZRP-FUNCTION = 'BEGIN'
              OR KVZRP-FUNCTION = 'END' OR KVZRP-FUNCTION = 'TASKNEXT'
               MOVE '-' TO WS-WORD
           END-IF
           PERFORM 8010-WORD.

       8010-WORD.
           STRING ' ' FUNCTION TRIM(WS-WORD) DELIMITED BY SIZE
               INTO TRACE-LINE WITH POINTER WS-POS.

       8020-NUMBER.
           MOVE WS-N TO WS-NUMBER-TEXT
           STRING ' ' FUNCTION TRIM(WS-NUMBER-TEXT) DELIMITED BY SIZE
               INTO TRACE-LINE WITH POINTER WS-POS.

      * THE SCREEN OPTIONS AS ONE WORD, A HYPHEN FOR EACH ONE ABSENT,
      * AND THE CURSOR POSITION (-1: THE MAP'S OWN CURSOR).
       8030-SCREEN-OPTIONS.
           MOVE KVZRP-OPTIONS(1:6) TO WS-WORD
           INSPECT WS-WORD(1:6) REPLACING ALL SPACE BY '-'
           MOVE SPACES TO WS-WORD(7:)
           PERFORM 8010-WORD
           IF KVZRP-OPTIONS(6:1) = 'C'
               MOVE KVZRP-NUMBER2 TO WS-N
           ELSE
               MOVE -1 TO WS-N
           END-IF
           PERFORM 8020-NUMBER.

      * LK-AREA(1:WS-LEN) IN DOUBLE QUOTES: PRINTABLE CHARACTERS AS
      * THEY ARE, " AND \ WITH A \ BEFORE THEM, OTHER BYTES AS \XHH,
      * AND SIX OR MORE EQUAL BYTES AS \*NNNNNHH; NO BYTE AT ALL AS "".
       8040-VALUE.
           STRING ' "' DELIMITED BY SIZE
               INTO TRACE-LINE WITH POINTER WS-POS
           MOVE 1 TO WS-I
           PERFORM UNTIL WS-I > WS-LEN
               MOVE LK-AREA(WS-I:1) TO WS-CH
               MOVE 1 TO WS-RUN
               PERFORM UNTIL WS-I + WS-RUN > WS-LEN
                   OR LK-AREA(WS-I + WS-RUN:1) NOT = WS-CH
                   OR WS-RUN >= 99999
                   ADD 1 TO WS-RUN
               END-PERFORM
               COMPUTE WS-BYTE = FUNCTION ORD(WS-CH) - 1
               IF WS-RUN >= 6
                   MOVE WS-RUN TO WS-COUNT-TEXT
                   STRING '\*' WS-COUNT-TEXT
                       WS-HEX(WS-BYTE / 16 + 1:1)
                       WS-HEX(FUNCTION MOD(WS-BYTE, 16) + 1:1)
                       DELIMITED BY SIZE
                       INTO TRACE-LINE WITH POINTER WS-POS
                   ADD WS-RUN TO WS-I
               ELSE
                   EVALUATE TRUE
                       WHEN WS-CH = '"' OR WS-CH = '\'
                           STRING '\' WS-CH DELIMITED BY SIZE
                               INTO TRACE-LINE WITH POINTER WS-POS
                       WHEN WS-BYTE >= 32 AND WS-BYTE <= 126
                           STRING WS-CH DELIMITED BY SIZE
                               INTO TRACE-LINE WITH POINTER WS-POS
                       WHEN OTHER
                           STRING '\x' WS-HEX(WS-BYTE / 16 + 1:1)
                               WS-HEX(FUNCTION MOD(WS-BYTE, 16) + 1:1)
                               DELIMITED BY SIZE
                               INTO TRACE-LINE WITH POINTER WS-POS
                   END-EVALUATE
                   ADD 1 TO WS-I
               END-IF
           END-PERFORM
           STRING '"' DELIMITED BY SIZE
               INTO TRACE-LINE WITH POINTER WS-POS.

      * NO AREA AT ALL: AN EMPTY VALUE.
       8050-EMPTY-VALUE.
           STRING ' ""' DELIMITED BY SIZE
               INTO TRACE-LINE WITH POINTER WS-POS.

       8090-LINE-END.
           WRITE TRACE-LINE.

      * WS-COND: THE NUMBER OF THE CONDITION NAMED IN WS-COND-NAME, OR
      * -1 FOR NONE OF THEM.
       8200-CONDITION-NUMBER.
           MOVE -1 TO WS-COND
           PERFORM VARYING WS-I FROM 1 BY 1 UNTIL WS-I > 18
               IF WS-CONDITION-NAME(WS-I) = WS-COND-NAME
                   MOVE WS-CONDITION-NUMBER(WS-I) TO WS-COND
               END-IF
           END-PERFORM.

       8210-CONDITION-NAME.
           MOVE 'NORMAL' TO WS-COND-NAME
           PERFORM VARYING WS-I FROM 1 BY 1 UNTIL WS-I > 18
               IF WS-CONDITION-NUMBER(WS-I) = WS-COND
                   MOVE WS-CONDITION-NAME(WS-I) TO WS-COND-NAME
               END-IF
           END-PERFORM.

      * WS-FOUND: Y WHEN THE PROGRAM NAMED IN KVZRP-NAME WAS BUILT.  A
      * PROGRAM OF THE FOLDER THAT CANNOT BE PLAYED ENDS THE PLAY.
       8300-PROGRAM-KNOWN.
           MOVE 'N' TO WS-FOUND
           PERFORM VARYING WS-I FROM 1 BY 1
                   UNTIL WS-I > WS-PROGRAM-COUNT
               IF WS-PROGRAMS(WS-I) = KVZRP-NAME
                   MOVE 'Y' TO WS-FOUND
               END-IF
           END-PERFORM
           PERFORM VARYING WS-I FROM 1 BY 1
                   UNTIL WS-I > WS-REFUSED-COUNT
               IF WS-REFUSED(WS-I) = KVZRP-NAME
                   MOVE 'unplayable' TO WS-WORD
                   PERFORM 8000-LINE-START
                   MOVE KVZRP-NAME TO WS-WORD
                   PERFORM 8010-WORD
                   PERFORM 8090-LINE-END
                   MOVE 'UNPLAYABLE' TO WS-WORD
                   PERFORM 8500-TASK-ABEND
               END-IF
           END-PERFORM.

      * THE TRACE LINE OF AN XCTL OR A LINK: THE TARGET, THE LENGTH AND
      * BYTES OF THE AREA PASSED, AND WHETHER THE TARGET CAN BE PLAYED.
       8310-TRANSFER-LINE.
           MOVE KVZRP-LENGTH TO WS-LEN
           IF WS-LEN < 0 OR WS-LEN > 32767 OR ADDRESS OF LK-ARG1 = NULL
               MOVE 0 TO WS-LEN
           END-IF
           PERFORM 8300-PROGRAM-KNOWN
           MOVE WS-TRANSFER-VERB TO WS-WORD
           PERFORM 8000-LINE-START
           MOVE KVZRP-NAME TO WS-WORD
           PERFORM 8010-WORD
           MOVE WS-LEN TO WS-N
           PERFORM 8020-NUMBER
           SET ADDRESS OF LK-AREA TO ADDRESS OF LK-ARG1
           PERFORM 8040-VALUE
           MOVE WS-FOUND TO WS-WORD
           PERFORM 8010-WORD
           PERFORM 8090-LINE-END.

      * CONDITION WS-COND HAPPENED: WITH RESP OR NOHANDLE THE PROGRAM
      * GOES ON; AN IGNORED ONE GOES ON; A HANDLED ONE JUMPS TO ITS
      * LABEL, OR TO THE LABEL OF ERROR; ANY OTHER ENDS THE TASK.
       8400-RAISE.
           MOVE WS-COND TO KVZRP-RESP EIBRESP
           PERFORM 8210-CONDITION-NAME
           MOVE 'condition' TO WS-WORD
           PERFORM 8000-LINE-START
           MOVE WS-COND-NAME TO WS-WORD
           PERFORM 8010-WORD
           EVALUATE TRUE
               WHEN KVZRP-NOHANDLE = 'Y'
                   MOVE 'resp' TO WS-WORD
               WHEN LV-COND-ACTION(WS-LEVEL WS-COND) = 'I'
                   MOVE 'ignored' TO WS-WORD
               WHEN LV-COND-ACTION(WS-LEVEL WS-COND) = 'H'
                   MOVE LV-COND-LABEL(WS-LEVEL WS-COND) TO KVZRP-JUMP
                   MOVE 'handled' TO WS-WORD
               WHEN LV-COND-ACTION(WS-LEVEL 1) = 'H'
                   MOVE LV-COND-LABEL(WS-LEVEL 1) TO KVZRP-JUMP
                   MOVE 'handled' TO WS-WORD
               WHEN OTHER
                   MOVE 'abend' TO WS-WORD
           END-EVALUATE
           PERFORM 8010-WORD
           PERFORM 8090-LINE-END
           IF WS-WORD = 'abend'
               MOVE WS-COND-NAME TO WS-WORD
               PERFORM 8500-TASK-ABEND
           END-IF.

      * THE TASK ENDS ABNORMALLY (WS-WORD: THE CONDITION OR THE CODE):
      * THE CONVERSATION ENDS WITH IT.
       8500-TASK-ABEND.
           MOVE WS-WORD TO WS-COND-NAME
           MOVE 'abend' TO WS-WORD
           PERFORM 8000-LINE-START
           MOVE WS-COND-NAME TO WS-WORD
           PERFORM 8010-WORD
           PERFORM 8090-LINE-END
           MOVE SPACES TO WS-NEXT-TRANSID
           MOVE 0 TO WS-TASK-CALEN
           PERFORM 1210-WRITE-STATE
           MOVE 'end' TO WS-WORD
           PERFORM 8000-LINE-START
           PERFORM 8090-LINE-END
           CLOSE TRACE-FILE
           STOP RUN.

      * WS-CH: THE BYTE WHOSE TWO HEXADECIMAL DIGITS ARE WS-WORD(1:2).
       8800-HEX-BYTE.
           MOVE 0 TO WS-BYTE
           PERFORM VARYING WS-I FROM 1 BY 1 UNTIL WS-I > 2
               PERFORM VARYING WS-J FROM 1 BY 1 UNTIL WS-J > 16
                   IF WS-HEX(WS-J:1) = WS-WORD(WS-I:1)
                       COMPUTE WS-BYTE = WS-BYTE * 16 + WS-J - 1
                   END-IF
               END-PERFORM
           END-PERFORM
           MOVE FUNCTION CHAR(WS-BYTE + 1) TO WS-CH.
