# Converts the shipped sample program in a fresh folder and says where the output went.
# Run by the "sample" target: cmake -DQUILLOX=... -DSAMPLES=... -DOUT=... -P convert_sample.cmake
file(REMOVE_RECURSE ${OUT})
file(COPY ${SAMPLES}/ DESTINATION ${OUT})
execute_process(COMMAND ${QUILLOX} MENU01 MENU01.cbl MENU01FE.cbl
                WORKING_DIRECTORY ${OUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "QUILLOX ended with exit code ${result}")
endif()
message("Sample program converted in ${OUT}:")
message("  MENU01.zsc    the program as shipped")
message("  MENU01.cbl    the converted program")
message("  MENU01FE.cbl  the new DSP4 front-end program, built from NEWDSP4.TXT")
message("  MENUSET.new   the converted copy of the copybook member MENUSET")
message("  MENU01.msg    the message file: every change, what needs checking, and the summary")
