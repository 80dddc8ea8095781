       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. FRONT.                                                       
       PROCEDURE DIVISION.                                                      
           MOVE LOW-VALUES TO ORDER-SCREEN-INPUT-AREA OF                        
               WS-ORDER-SCREENS-FOR-INPUT                                       
           MOVE LOW-VALUES TO ORDER-SCREEN-OUTPUT-AREA OF                       
               WS-ORDER-SCREENS                                                 
           MOVE LOW-VALUES TO ORDERSCREENMAP1O                                  
           MOVE 'ORDMAP1' TO USRMAPNAME                                         
           MOVE 'ORDSET' TO USRMAPSET                                           
           EXEC ZARN RECEIVE MAP('ORDMAP1') MAPSET('ORDSET')                    
                   INTO(ORDER-SCREEN-INPUT-AREA OF                              
                       WS-ORDER-SCREENS-FOR-INPUT)                              
               END-EXEC                                                         
           CALL 'NEWPGM' USING KVZCOMMAREA.                                     
           IF USRMAPNAME = 'ORDMAP1' AND                                        
               ERASESW IS EQUAL TO 'E' AND                                      
               ALARMSW IS EQUAL TO ' ' AND                                      
               SENDTYPE IS EQUAL TO ' ' THEN                                    
               EXEC ZARN SEND MAP('ORDMAP1') MAPSET('ORDSET')                   
                   FROM(ORDER-SCREEN-OUTPUT-AREA OF WS-ORDER-SCREENS)           
                       LENGTH(WS-ORDER-SCREEN-LENGTH)                           
                   ERASE    END-EXEC                                            
           END-IF                                                               
           IF USRMAPNAME = 'ORDERSCREENMAP1' AND                                
               ERASESW IS EQUAL TO ' ' AND                                      
               ALARMSW IS EQUAL TO ' ' AND                                      
               SENDTYPE IS EQUAL TO ' ' THEN                                    
               EXEC ZARN SEND MAP('ORDERSCREENMAP1')                            
                   MAPSET('ORDERSCREENSET1')                                    
                   END-EXEC                                                     
           END-IF                                                               
           GOBACK.                                                              
