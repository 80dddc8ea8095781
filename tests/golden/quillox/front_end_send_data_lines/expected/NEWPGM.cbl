       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. NEWPGM.                                                      
       LINKAGE SECTION.
       01 KVZCOMMAREA.
           COPY STDHEAD.
       PROCEDURE DIVISION.                                                      
      *    EXEC ZARN SEND MAP('D1') MAPSET('S1') FROM(D1O)
      *         LENGTH(D1-LEN) END-EXEC.
           MOVE 'D1' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
      *    EXEC ZARN SEND MAP('D2') MAPSET('S1') FROM(D2O) END-EXEC.
           MOVE 'D2' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
      *    EXEC ZARN SEND MAP('D3') MAPSET('S1') LENGTH(80) END-EXEC.
           MOVE 'D3' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
      *    EXEC ZARN SEND MAP('D4') MAPSET('S1') END-EXEC.
           MOVE 'D4' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
      *    EXEC ZARN SEND TEXT FROM(MSG) LENGTH(20) END-EXEC.
           MOVE 'SENDTEXT' TO USRMAPNAME.                                       
           MOVE MSG TO TEXTAREA.                                                
           MOVE 20 TO USRMAPLN.                                                 
           GOBACK.                                                              
