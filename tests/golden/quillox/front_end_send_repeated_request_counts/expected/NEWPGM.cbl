       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. NEWPGM.                                                      
       LINKAGE SECTION.
       01 KVZCOMMAREA.
           COPY STDHEAD.
       PROCEDURE DIVISION.                                                      
      *    EXEC ZARN SEND MAP('M1') MAPSET('S1') ERASE END-EXEC.
           MOVE 'E' TO ERASESW.                                                 
           MOVE 'M1' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
      *    EXEC ZARN SEND MAP('M2') MAPSET('S1') END-EXEC.
           MOVE 'M2' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
      *    EXEC ZARN SEND MAP('M1') MAPSET('S1') ERASE END-EXEC.
           MOVE 'E' TO ERASESW.                                                 
           MOVE 'M1' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
           GOBACK.                                                              
