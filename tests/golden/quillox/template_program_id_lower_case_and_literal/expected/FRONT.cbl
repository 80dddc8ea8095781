       IDENTIFICATION DIVISION.                                                 
       program-id. FRONT.                                                       
      * PROGRAM-ID. FRONT.                                                      
           DISPLAY 'PROGRAM-ID IS' WS-NAME.                                     
           DISPLAY 'A' ' PROGRAM-ID. FRONT.                                     
           DISPLAY WS-PROGRAM-ID.                                               
       PROGRAM-ID. FRONT.                                                       
