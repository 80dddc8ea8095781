       PROGRAM-ID. FRONT.                                                       
           CALL '' USING KVZCOMMAREA.                                           
      *  IS CALLED AS &NEWPROG; BY THIS PROGRAM.                                
           DISPLAY '&newprog;'.                                                 
