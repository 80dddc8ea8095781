       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. NEWPGM.                                                      
       LINKAGE SECTION.
       01 KVZCOMMAREA.
           COPY STDHEAD.
       PROCEDURE DIVISION.                                                      
      *    EXEC ZARN SEND MAP('A1') MAPSET('S1') END-EXEC.
           MOVE 'A1' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
      *    EXEC ZARN SEND MAP('A2') MAPSET('S1') ERASEAUP END-EXEC.
           MOVE 'U' TO ERASESW.                                                 
           MOVE 'A2' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
      *    EXEC ZARN SEND MAP('A3') MAPSET('S1') MAPONLY END-EXEC.
           MOVE 'M' TO SENDTYPE.                                                
           MOVE 'A3' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
      *    EXEC ZARN SEND MAP('A4') MAPSET('S1') DATAONLY FRSET
      *         END-EXEC.
           MOVE 'D' TO SENDTYPE.                                                
           MOVE 'A4' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
      *    EXEC ZARN SEND MAP('A5') MAPSET('S1') FREEKB END-EXEC.
           MOVE 'A5' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
      *    EXEC ZARN SEND MAP('A6') MAPSET('S1') ERASE FRSET END-EXEC.
           MOVE 'E' TO ERASESW.                                                 
           MOVE 'A6' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
      *    EXEC ZARN SEND MAP('A7') MAPSET('S1') ERASE ERASEAUP
      *         MAPONLY DATAONLY END-EXEC.
           MOVE 'U' TO ERASESW.                                                 
           MOVE 'D' TO SENDTYPE.                                                
           MOVE 'A7' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
      *    EXEC ZARN SEND MAP('A8') MAPSET('S1') ERASE ALARM
      *         DATAONLY FREEKB FRSET END-EXEC.
           MOVE 'E' TO ERASESW.                                                 
           MOVE 'A' TO ALARMSW.                                                 
           MOVE 'D' TO SENDTYPE.                                                
           MOVE 'A8' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
           GOBACK.                                                              
