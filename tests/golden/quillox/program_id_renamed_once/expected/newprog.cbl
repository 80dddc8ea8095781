000100 IDENTIFICATION DIVISION.                                                 
000150* PROGRAM-ID. INCOMMENT.                                                  
000200 PROGRAM-ID. NEWPROG.                                                     
       LINKAGE SECTION.
       01 KVZCOMMAREA.
           COPY STDHEAD.
000300 PROCEDURE DIVISION.                                                      
000400     GOBACK.                                                              
000500 IDENTIFICATION DIVISION.                                                 
000600 PROGRAM-ID. INNER.                                                       
       LINKAGE SECTION.
       01 KVZCOMMAREA.
           COPY STDHEAD.
000700 PROCEDURE DIVISION.                                                      
000800     GOBACK.                                                              
000900 END PROGRAM INNER.                                                       
001000 END PROGRAM OLDPROG.                                                     
