       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. NEWPGM.                                                      
       LINKAGE SECTION.
       01 KVZCOMMAREA.
           COPY STDHEAD.
       PROCEDURE DIVISION.                                                      
      *    EXEC ZARN SEND MAP('M1') FROM(M1O) END-EXEC.
           MOVE 'M1' TO USRMAPNAME.                                             
      *    EXEC ZARN RECEIVE MAP('M1') INTO(M1I) END-EXEC.
           IF 'M1' IS NOT EQUAL TO USRMAPNAME                                   
               GO TO BADMAPNAME                                                 
           END-IF.                                                              
           GOBACK.                                                              
       BADMAPNAME.
           MOVE 'MAP NAME DOES NOT MATCH' TO TEXTAREA.
           MOVE 23 TO USRMAPLN.
           MOVE 'SENDTEXT' TO USRMAPNAME.
           MOVE ZEROS TO USRCALEN.
           EXEC ZARN RETURN END-EXEC.
