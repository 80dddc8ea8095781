       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. NEWPGM.                                                      
       LINKAGE SECTION.
       01 KVZCOMMAREA.
           COPY STDHEAD.
       PROCEDURE DIVISION.                                                      
      *    EXEC ZARN SEND MAP('M1') MAPSET('S1') ALARM END-EXEC.
           MOVE 'A' TO ALARMSW.                                                 
           MOVE 'M1' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
      *    EXEC ZARN SEND MAP('M2') MAPSET('S1') CURSOR END-EXEC.
           MOVE 'M2' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
      *    EXEC ZARN SEND MAP('M3') MAPSET('S1') ERASE ALARM
      *         CURSOR(WS-POS) END-EXEC.
           MOVE 'E' TO ERASESW.                                                 
           MOVE 'A' TO ALARMSW.                                                 
           MOVE 'M3' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
      *    EXEC ZARN SEND MAP('M4') MAPSET('S1') END-EXEC.
           MOVE 'M4' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
      *    EXEC ZARN SEND MAP('M4') MAPSET('S1') CURSOR END-EXEC.
           MOVE 'M4' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
           GOBACK.                                                              
