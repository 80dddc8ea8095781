       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. NEWPGM.                                                      
       LINKAGE SECTION.
       01 KVZCOMMAREA.
           COPY STDHEAD.
       PROCEDURE DIVISION.                                                      
      *    EXEC ZARN SEND MAP('A1') MAPSET('S1') END-EXEC.
           MOVE 'A1' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
      *    EXEC ZARN RECEIVE MAP('A1') MAPSET('S1') END-EXEC.
           IF 'A1' IS NOT EQUAL TO USRMAPNAME                                   
               GO TO BADMAPNAME                                                 
           END-IF.                                                              
      *    EXEC ZARN SEND MAP('A1') MAPSET('S1') FROM(A1O) ERASE END-EXEC.
           MOVE 'E' TO ERASESW.                                                 
           MOVE 'A1' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
      *    EXEC ZARN RECEIVE MAP('A2') MAPSET('S1') INTO(WS-IN) END-EXEC.
           IF 'A2' IS NOT EQUAL TO USRMAPNAME                                   
               GO TO BADMAPNAME                                                 
           END-IF.                                                              
      *    EXEC ZARN SEND TEXT FROM(WS-TEXT) END-EXEC.
           MOVE 'SENDTEXT' TO USRMAPNAME.                                       
           MOVE WS-TEXT TO TEXTAREA.                                            
           MOVE FUNCTION LENGTH(WS-TEXT) TO USRMAPLN.                           
      *    EXEC ZARN SEND MAP(WS-MAP) MAPSET('S1') END-EXEC.
           MOVE WS-MAP TO USRMAPNAME.                                           
           MOVE 'S1' TO USRMAPSET.                                              
           GOBACK.                                                              
       BADMAPNAME.
           MOVE 'MAP NAME DOES NOT MATCH' TO TEXTAREA.
           MOVE 23 TO USRMAPLN.
           MOVE 'SENDTEXT' TO USRMAPNAME.
           MOVE ZEROS TO USRCALEN.
           EXEC ZARN RETURN END-EXEC.
