       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. FRONT.                                                       
       PROCEDURE DIVISION.                                                      
           MOVE LOW-VALUES TO M1I                                               
           MOVE LOW-VALUES TO M2I                                               
           MOVE 'M1' TO USRMAPNAME                                              
           MOVE 'S1' TO USRMAPSET                                               
           EXEC ZARN RECEIVE MAP('M1') MAPSET('S1')                             
                   INTO(M1I)                                                    
               END-EXEC                                                         
           MOVE 'M2' TO USRMAPNAME                                              
           MOVE 'S1' TO USRMAPSET                                               
           EXEC ZARN RECEIVE MAP('M2') MAPSET('S1')                             
               END-EXEC                                                         
           CALL 'NEWPGM' USING KVZCOMMAREA.                                     
           GOBACK.                                                              
