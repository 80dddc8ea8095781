       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. FRONT.                                                       
       PROCEDURE DIVISION.                                                      
           MOVE LOW-VALUES TO M1O                                               
           MOVE LOW-VALUES TO M1I                                               
           MOVE 'M1' TO USRMAPNAME                                              
           EXEC ZARN RECEIVE MAP('M1')                                          
                   INTO(M1I)                                                    
               END-EXEC                                                         
           CALL 'NEWPGM' USING KVZCOMMAREA.                                     
           IF USRMAPNAME = 'M1' AND                                             
               ERASESW IS EQUAL TO ' ' AND                                      
               ALARMSW IS EQUAL TO ' ' AND                                      
               SENDTYPE IS EQUAL TO ' ' THEN                                    
               EXEC ZARN SEND MAP('M1')                                         
                   FROM(M1O)                                                    
                   END-EXEC                                                     
           END-IF                                                               
           GOBACK.                                                              
