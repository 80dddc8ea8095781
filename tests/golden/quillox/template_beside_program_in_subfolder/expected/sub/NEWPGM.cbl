       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. NEWPGM.                                                      
       LINKAGE SECTION.
       01 KVZCOMMAREA.
           COPY STDHEAD.
       PROCEDURE DIVISION.                                                      
      *    EXEC ZARN SEND MAP('M1') MAPSET('S1') END-EXEC.
           MOVE 'M1' TO USRMAPNAME.                                             
           MOVE 'S1' TO USRMAPSET.                                              
           GOBACK.                                                              
