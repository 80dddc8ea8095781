       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. FRONT.                                                       
       PROCEDURE DIVISION.                                                      
           MOVE LOW-VALUES TO A1O                                               
           MOVE LOW-VALUES TO A1I                                               
           MOVE LOW-VALUES TO WS-IN                                             
           MOVE 'A1' TO USRMAPNAME                                              
           MOVE 'S1' TO USRMAPSET                                               
           EXEC ZARN RECEIVE MAP('A1') MAPSET('S1')                             
               END-EXEC                                                         
           MOVE 'A2' TO USRMAPNAME                                              
           MOVE 'S1' TO USRMAPSET                                               
           EXEC ZARN RECEIVE MAP('A2') MAPSET('S1')                             
                   INTO(WS-IN)                                                  
               END-EXEC                                                         
           GOBACK.                                                              
