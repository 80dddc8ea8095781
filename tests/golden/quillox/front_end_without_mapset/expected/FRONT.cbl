       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. FRONT.                                                       
       PROCEDURE DIVISION.                                                      
           MOVE 'M1' TO USRMAPNAME                                              
           MOVE  TO USRMAPSET                                                   
           EXEC ZARN RECEIVE MAP('M1') MAPSET()                                 
                   INTO(M1I)                                                    
               END-EXEC                                                         
           CALL 'NEWPGM' USING KVZCOMMAREA.                                     
           IF USRMAPNAME = 'M1' AND                                             
               ERASESW IS EQUAL TO ' ' AND                                      
               ALARMSW IS EQUAL TO ' ' AND                                      
               SENDTYPE IS EQUAL TO ' ' THEN                                    
               EXEC ZARN SEND MAP('M1') MAPSET()                                
                   FROM(M1O)                                                    
                   END-EXEC                                                     
           END-IF                                                               
           GOBACK.                                                              
