       IDENTIFICATION DIVISION.                                                 
       PROGRAM-ID. NEWPGM.                                                      
       LINKAGE SECTION.
       01 KVZCOMMAREA.
           COPY STDHEAD.
       PROCEDURE DIVISION.                                                      
      *    EXEC ZARN RETURN END-EXEC.
           MOVE ZEROS TO USRCALEN                                               
           EXEC ZARN RETURN END-EXEC.                                           
           GOBACK.                                                              
