       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. NEWPGM.                                                      
       LINKAGE SECTION.
       01 KVZCOMMAREA.
           COPY STDHEAD.
       PROCEDURE DIVISION.                                                      
      *    EXEC ZARN RECEIVE MAP('M1') MAPSET('S1') INTO(M1I) END-EXEC.
           IF 'M1' IS NOT EQUAL TO USRMAPNAME                                   
               GO TO BADMAPNAME                                                 
           END-IF.                                                              
      *    EXEC ZARN RECEIVE MAP('M1') MAPSET('S1') INTO(M1I) END-EXEC.
           IF 'M1' IS NOT EQUAL TO USRMAPNAME                                   
               GO TO BADMAPNAME                                                 
           END-IF.                                                              
      *    EXEC ZARN RECEIVE MAP('M1') MAPSET('S1') INTO(M1I) END-EXEC.
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
