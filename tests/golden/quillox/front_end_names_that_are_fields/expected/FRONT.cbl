       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. FRONT.                                                       
       PROCEDURE DIVISION.                                                      
           MOVE LOW-VALUES TO MA-IN                                             
           MOVE LOW-VALUES TO M1I                                               
           MOVE LOW-VALUES TO MA-OUT                                            
           MOVE LOW-VALUES TO M1O                                               
           MOVE 'M1' TO USRMAPNAME                                              
           EXEC ZARN RECEIVE MAP('M1')                                          
               END-EXEC                                                         
           EXEC ZARN RECEIVE MAP(USRMAPNAME) MAPSET(USRMAPSET)                  
                   INTO(MA-IN)                                                  
               END-EXEC                                                         
           CALL 'NEWPGM' USING KVZCOMMAREA.                                     
           IF USRMAPNAME = 'M1' AND                                             
               ERASESW IS EQUAL TO 'E' AND                                      
               ALARMSW IS EQUAL TO ' ' AND                                      
               SENDTYPE IS EQUAL TO ' ' THEN                                    
               EXEC ZARN SEND MAP('M1') MAPSET(USRMAPSET)                       
                   ERASE    END-EXEC                                            
           END-IF                                                               
           IF USRMAPNAME NOT = 'SENDTEXT' AND                                   
               ERASESW IS EQUAL TO ' ' AND                                      
               ALARMSW IS EQUAL TO ' ' AND                                      
               SENDTYPE IS EQUAL TO ' ' THEN                                    
               EXEC ZARN SEND MAP(USRMAPNAME) MAPSET('S1')                      
                   FROM(MA-OUT)                                                 
                   END-EXEC                                                     
           END-IF                                                               
           GOBACK.                                                              
