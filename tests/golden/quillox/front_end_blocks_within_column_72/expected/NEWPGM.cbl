       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. NEWPGM.                                                      
       LINKAGE SECTION.
       01 KVZCOMMAREA.
           COPY STDHEAD.
       PROCEDURE DIVISION.                                                      
      *    EXEC ZARN RECEIVE MAP('ORDMAP1') MAPSET('ORDSET')
      *    INTO(ORDER-SCREEN-INPUT-AREA OF WS-ORDER-SCREENS-FOR-INPUT)
      *    END-EXEC.
           IF 'ORDMAP1' IS NOT EQUAL TO USRMAPNAME                              
               GO TO BADMAPNAME                                                 
           END-IF.                                                              
      *    EXEC ZARN SEND MAP('ORDMAP1') MAPSET('ORDSET')
      *         FROM(ORDER-SCREEN-OUTPUT-AREA OF WS-ORDER-SCREENS)
      *         LENGTH(WS-ORDER-SCREEN-LENGTH) ERASE
      *    END-EXEC.
           MOVE 'E' TO ERASESW.                                                 
           MOVE 'ORDMAP1' TO USRMAPNAME.                                        
           MOVE 'ORDSET' TO USRMAPSET.                                          
      *    EXEC ZARN SEND MAP('ORDERSCREENMAP1')
      *         MAPSET('ORDERSCREENSET1') END-EXEC.
           MOVE 'ORDERSCREENMAP1' TO USRMAPNAME.                                
           MOVE 'ORDERSCREENSET1' TO USRMAPSET.                                 
           GOBACK.                                                              
       BADMAPNAME.
           MOVE 'MAP NAME DOES NOT MATCH' TO TEXTAREA.
           MOVE 23 TO USRMAPLN.
           MOVE 'SENDTEXT' TO USRMAPNAME.
           MOVE ZEROS TO USRCALEN.
           EXEC ZARN RETURN END-EXEC.
