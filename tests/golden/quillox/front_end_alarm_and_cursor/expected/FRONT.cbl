       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. FRONT.                                                       
       PROCEDURE DIVISION.                                                      
           MOVE LOW-VALUES TO M1O                                               
           MOVE LOW-VALUES TO M2O                                               
           MOVE LOW-VALUES TO M3O                                               
           MOVE LOW-VALUES TO M4O                                               
           CALL 'NEWPGM' USING KVZCOMMAREA.                                     
           IF USRMAPNAME = 'M1' AND                                             
               ERASESW IS EQUAL TO ' ' AND                                      
               ALARMSW IS EQUAL TO 'A' AND                                      
               SENDTYPE IS EQUAL TO ' ' THEN                                    
               EXEC ZARN SEND MAP('M1') MAPSET('S1')                            
                       ALARM END-EXEC                                           
           END-IF                                                               
           IF USRMAPNAME = 'M2' AND                                             
               ERASESW IS EQUAL TO ' ' AND                                      
               ALARMSW IS EQUAL TO ' ' AND                                      
               SENDTYPE IS EQUAL TO ' ' THEN                                    
               EXEC ZARN SEND MAP('M2') MAPSET('S1')                            
                       CURSOR END-EXEC                                          
           END-IF                                                               
           IF USRMAPNAME = 'M3' AND                                             
               ERASESW IS EQUAL TO 'E' AND                                      
               ALARMSW IS EQUAL TO 'A' AND                                      
               SENDTYPE IS EQUAL TO ' ' THEN                                    
               EXEC ZARN SEND MAP('M3') MAPSET('S1')                            
                   ERASE    ALARM CURSOR END-EXEC                               
           END-IF                                                               
           IF USRMAPNAME = 'M4' AND                                             
               ERASESW IS EQUAL TO ' ' AND                                      
               ALARMSW IS EQUAL TO ' ' AND                                      
               SENDTYPE IS EQUAL TO ' ' THEN                                    
               EXEC ZARN SEND MAP('M4') MAPSET('S1')                            
                   END-EXEC                                                     
           END-IF                                                               
           IF USRMAPNAME = 'M4' AND                                             
               ERASESW IS EQUAL TO ' ' AND                                      
               ALARMSW IS EQUAL TO ' ' AND                                      
               SENDTYPE IS EQUAL TO ' ' THEN                                    
               EXEC ZARN SEND MAP('M4') MAPSET('S1')                            
                       CURSOR END-EXEC                                          
           END-IF                                                               
           GOBACK.                                                              
