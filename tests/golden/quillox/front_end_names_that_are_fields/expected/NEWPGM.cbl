       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. NEWPGM.                                                      
       LINKAGE SECTION.
       01 KVZCOMMAREA.
           COPY STDHEAD.
       PROCEDURE DIVISION.                                                      
      *    EXEC ZARN RECEIVE MAP(MA-MAP) MAPSET(MA-SET) INTO(MA-IN) END-EXEC.
           IF MA-MAP IS NOT EQUAL TO USRMAPNAME                                 
               GO TO BADMAPNAME                                                 
           END-IF.                                                              
      *    EXEC ZARN RECEIVE MAP('M1') END-EXEC.
           IF 'M1' IS NOT EQUAL TO USRMAPNAME                                   
               GO TO BADMAPNAME                                                 
           END-IF.                                                              
      *    EXEC ZARN SEND MAP(MA-MAP) MAPSET('S1') FROM(MA-OUT) END-EXEC.
           MOVE MA-MAP TO USRMAPNAME.                                           
           MOVE 'S1' TO USRMAPSET.                                              
      *    EXEC ZARN SEND MAP('M1') MAPSET(MA-SET) ERASE END-EXEC.
           MOVE 'E' TO ERASESW.                                                 
           MOVE 'M1' TO USRMAPNAME.                                             
           MOVE MA-SET TO USRMAPSET.                                            
           GOBACK.                                                              
       BADMAPNAME.
           MOVE 'MAP NAME DOES NOT MATCH' TO TEXTAREA.
           MOVE 23 TO USRMAPLN.
           MOVE 'SENDTEXT' TO USRMAPNAME.
           MOVE ZEROS TO USRCALEN.
           EXEC ZARN RETURN END-EXEC.
