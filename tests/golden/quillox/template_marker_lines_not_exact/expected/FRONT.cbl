       PROCEDURE DIVISION.                                                      
      * INSERT ZVL SEND HERE                                                    
      *INSERT ZVL SEND HERE                                                     
      * INSERT ZVL RECEIVE HERE                                                 
      *INSERT ZVL RECEIVE HERE                                                  
           IF USRMAPNAME = 'M1' AND                                             
               ERASESW IS EQUAL TO ' ' AND                                      
               ALARMSW IS EQUAL TO ' ' AND                                      
               SENDTYPE IS EQUAL TO ' ' THEN                                    
               EXEC ZARN SEND MAP('M1') MAPSET('S1')                            
                   END-EXEC                                                     
           END-IF                                                               
