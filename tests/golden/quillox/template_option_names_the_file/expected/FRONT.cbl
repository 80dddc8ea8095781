       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. FRONT.                                                       
           CALL 'NEWPGM'.                                                       
