# Converts the example application (the shipped samples and docs/example-application) with
# quillox-all in a fresh folder and writes its migration report there.
# Run by the "migration_example" target:
#   cmake -DQUILLOX=... -DQUILLOX_ALL=... -DQUILLOX_REPORT=... -DSAMPLES=... -DEXAMPLE=... -DOUT=... -P migration_example.cmake
file(REMOVE_RECURSE ${OUT})
file(COPY ${SAMPLES}/ DESTINATION ${OUT})
file(COPY ${EXAMPLE}/ DESTINATION ${OUT})
set(front_end)
if(EXISTS ${SAMPLES}/NEWDSP4.TXT)
  # The shipped template serves every folder of the application: quillox-all puts it beside
  # the programs of the folders that lack it for the run.
  set(front_end --template ${SAMPLES}/NEWDSP4.TXT)
endif()
# The inquiry sample keeps its copybooks in a folder of their own.
set(copybook_folders -I ${OUT}/inquiry/cpy)
execute_process(COMMAND ${QUILLOX_ALL} --quillox ${QUILLOX} ${front_end} ${copybook_folders} ${OUT}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "quillox-all ended with exit code ${result}")
endif()
execute_process(COMMAND ${QUILLOX_REPORT} ${OUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "quillox-report ended with exit code ${result}")
endif()
message("Example application converted in ${OUT}; open migration-report.html there.")
