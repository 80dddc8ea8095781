       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. FRONT.                                                       
       PROCEDURE DIVISION.                                                      
           MOVE LOW-VALUES TO A1O                                               
           MOVE LOW-VALUES TO A2O                                               
           MOVE LOW-VALUES TO A3O                                               
           MOVE LOW-VALUES TO A4O                                               
           MOVE LOW-VALUES TO A5O                                               
           MOVE LOW-VALUES TO A6O                                               
           MOVE LOW-VALUES TO A7O                                               
           MOVE LOW-VALUES TO A8O                                               
           CALL 'NEWPGM' USING KVZCOMMAREA.                                     
           IF USRMAPNAME = 'A1' AND                                             
               ERASESW IS EQUAL TO ' ' AND                                      
               ALARMSW IS EQUAL TO ' ' AND                                      
               SENDTYPE IS EQUAL TO ' ' THEN                                    
               EXEC ZARN SEND MAP('A1') MAPSET('S1')                            
                   END-EXEC                                                     
           END-IF                                                               
           IF USRMAPNAME = 'A2' AND                                             
               ERASESW IS EQUAL TO 'U' AND                                      
               ALARMSW IS EQUAL TO ' ' AND                                      
               SENDTYPE IS EQUAL TO ' ' THEN                                    
               EXEC ZARN SEND MAP('A2') MAPSET('S1')                            
                   ERASEAUP    END-EXEC                                         
           END-IF                                                               
           IF USRMAPNAME = 'A3' AND                                             
               ERASESW IS EQUAL TO ' ' AND                                      
               ALARMSW IS EQUAL TO ' ' AND                                      
               SENDTYPE IS EQUAL TO 'M' THEN                                    
               EXEC ZARN SEND MAP('A3') MAPSET('S1')                            
                    MAPONLY   END-EXEC                                          
           END-IF                                                               
           IF USRMAPNAME = 'A4' AND                                             
               ERASESW IS EQUAL TO ' ' AND                                      
               ALARMSW IS EQUAL TO ' ' AND                                      
               SENDTYPE IS EQUAL TO 'D' THEN                                    
               EXEC ZARN SEND MAP('A4') MAPSET('S1')                            
                    DATAONLY  FRSET END-EXEC                                    
           END-IF                                                               
           IF USRMAPNAME = 'A5' AND                                             
               ERASESW IS EQUAL TO ' ' AND                                      
               ALARMSW IS EQUAL TO ' ' AND                                      
               SENDTYPE IS EQUAL TO ' ' THEN                                    
               EXEC ZARN SEND MAP('A5') MAPSET('S1')                            
                     FREEKB  END-EXEC                                           
           END-IF                                                               
           IF USRMAPNAME = 'A6' AND                                             
               ERASESW IS EQUAL TO 'E' AND                                      
               ALARMSW IS EQUAL TO ' ' AND                                      
               SENDTYPE IS EQUAL TO ' ' THEN                                    
               EXEC ZARN SEND MAP('A6') MAPSET('S1')                            
                   ERASE   FRSET END-EXEC                                       
           END-IF                                                               
           IF USRMAPNAME = 'A7' AND                                             
               ERASESW IS EQUAL TO 'U' AND                                      
               ALARMSW IS EQUAL TO ' ' AND                                      
               SENDTYPE IS EQUAL TO 'D' THEN                                    
               EXEC ZARN SEND MAP('A7') MAPSET('S1')                            
                   ERASEAUP DATAONLY   END-EXEC                                 
           END-IF                                                               
           IF USRMAPNAME = 'A8' AND                                             
               ERASESW IS EQUAL TO 'E' AND                                      
               ALARMSW IS EQUAL TO 'A' AND                                      
               SENDTYPE IS EQUAL TO 'D' THEN                                    
               EXEC ZARN SEND MAP('A8') MAPSET('S1')                            
                   ERASE DATAONLY FREEKB FRSET ALARM END-EXEC                   
           END-IF                                                               
           GOBACK.                                                              
