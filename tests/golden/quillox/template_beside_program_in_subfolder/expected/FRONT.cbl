       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. FRONT.                                                       
       PROCEDURE DIVISION.                                                      
           MOVE LOW-VALUES TO M1O                                               
           CALL 'NEWPGM' USING KVZCOMMAREA.                                     
           IF USRMAPNAME = 'M1' AND                                             
               ERASESW IS EQUAL TO ' ' AND                                      
               ALARMSW IS EQUAL TO ' ' AND                                      
               SENDTYPE IS EQUAL TO ' ' THEN                                    
               EXEC ZARN SEND MAP('M1') MAPSET('S1')                            
                   END-EXEC                                                     
           END-IF                                                               
           GOBACK.                                                              
