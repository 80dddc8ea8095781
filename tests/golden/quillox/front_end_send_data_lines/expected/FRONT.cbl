       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. FRONT.                                                       
       PROCEDURE DIVISION.                                                      
           MOVE LOW-VALUES TO D1O                                               
           MOVE LOW-VALUES TO D2O                                               
           MOVE LOW-VALUES TO D3O                                               
           MOVE LOW-VALUES TO D4O                                               
           CALL 'NEWPGM' USING KVZCOMMAREA.                                     
           IF USRMAPNAME = 'D1' AND                                             
               ERASESW IS EQUAL TO ' ' AND                                      
               ALARMSW IS EQUAL TO ' ' AND                                      
               SENDTYPE IS EQUAL TO ' ' THEN                                    
               EXEC ZARN SEND MAP('D1') MAPSET('S1')                            
                   FROM(D1O) LENGTH(D1-LEN)                                     
                   END-EXEC                                                     
           END-IF                                                               
           IF USRMAPNAME = 'D2' AND                                             
               ERASESW IS EQUAL TO ' ' AND                                      
               ALARMSW IS EQUAL TO ' ' AND                                      
               SENDTYPE IS EQUAL TO ' ' THEN                                    
               EXEC ZARN SEND MAP('D2') MAPSET('S1')                            
                   FROM(D2O)                                                    
                   END-EXEC                                                     
           END-IF                                                               
           IF USRMAPNAME = 'D3' AND                                             
               ERASESW IS EQUAL TO ' ' AND                                      
               ALARMSW IS EQUAL TO ' ' AND                                      
               SENDTYPE IS EQUAL TO ' ' THEN                                    
               EXEC ZARN SEND MAP('D3') MAPSET('S1')                            
                   LENGTH(80)                                                   
                   END-EXEC                                                     
           END-IF                                                               
           IF USRMAPNAME = 'D4' AND                                             
               ERASESW IS EQUAL TO ' ' AND                                      
               ALARMSW IS EQUAL TO ' ' AND                                      
               SENDTYPE IS EQUAL TO ' ' THEN                                    
               EXEC ZARN SEND MAP('D4') MAPSET('S1')                            
                   END-EXEC                                                     
           END-IF                                                               
           GOBACK.                                                              
