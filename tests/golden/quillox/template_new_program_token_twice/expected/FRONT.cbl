       PROGRAM-ID. FRONT.                                                       
           CALL 'NEWPGM' USING KVZCOMMAREA.                                     
      * NEWPGM IS CALLED AS &NEWPROG; BY THIS PROGRAM.                          
           DISPLAY '&newprog;'.                                                 
