       identification division.                                                 
       program-id. NEWPROG.                                                     
       data division.                                                           
       working-storage section.                                                 
       Copy Memb.                                                               
       linkage section.                                                         
       01  KVZCOMMAREA.
           COPY STDHEAD.
           02  USRCOMM.
      * Insert User COMMAREA, TCTUA, ZVL MAPS HERE
                                                                                
           05  lk-data pic x.                                                   
       procedure division.                                                      
      *    exec zarn receive map('m1') end-exec.
           IF 'M1' IS NOT EQUAL TO USRMAPNAME                                   
               GO TO BADMAPNAME                                                 
           END-IF.                                                              
      *    Exec Zarn Return End-Exec.
           MOVE ZEROS TO USRCALEN                                               
           EXEC ZARN RETURN END-EXEC.                                           
       BADMAPNAME.
           MOVE 'MAP NAME DOES NOT MATCH' TO TEXTAREA.
           MOVE 23 TO USRMAPLN.
           MOVE 'SENDTEXT' TO USRMAPNAME.
           MOVE ZEROS TO USRCALEN.
           EXEC ZARN RETURN END-EXEC.
       end program oldprog.                                                     
