000100 IDENTIFICATION DIVISION.                                                 
000200* PROGRAM-ID. COMMENT.                                                    
000300/ LINKAGE SECTION.                                                        
000400- PROGRAM-ID. CONTINUED.                                                  
000500*01  KVZCOMMAREA.                                                         
000600/PROCEDURE DIVISION.                                                      
PROCED                                                                          
LINK                                                                            
000700 PROGRAM-ID. NEWPROG.                                                     
000800 DATA DIVISION.                                                           
       LINKAGE SECTION.
       01 KVZCOMMAREA.
           COPY STDHEAD.
000900 PROCEDURE DIVISION.                                                      
001000*    EXEC ZARN SEND MAP('M1') END-EXEC.                                   
001100     GOBACK.                                                              
