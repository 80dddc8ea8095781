000100 IDENTIFICATION DIVISION.                                                 
000200 PROGRAM-ID. NEWPROG.                                                     
000300 DATA DIVISION.                                                           
000400 WORKING-STORAGE SECTION.                                                 
000500 01  WS-FLAG PIC X.                                                       
       LINKAGE SECTION.
       01 KVZCOMMAREA.
           COPY STDHEAD.
000600 PROCEDURE DIVISION.                                                      
000700     DISPLAY 'HELLO'.                                                     
000800     GOBACK.                                                              
