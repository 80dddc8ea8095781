       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. FRONT.                                                       
       PROCEDURE DIVISION.                                                      
           MOVE LOW-VALUES TO M1I                                               
           MOVE 'M1' TO USRMAPNAME                                              
           MOVE 'S1' TO USRMAPSET                                               
           EXEC ZARN RECEIVE MAP('M1') MAPSET('S1')                             
                   INTO(M1I)                                                    
               END-EXEC                                                         
           CALL 'NEWPGM' USING KVZCOMMAREA.                                     
           GOBACK.                                                              
