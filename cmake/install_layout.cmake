# What `cmake --install` puts where, and the Debian package that cpack makes of it:
#   bin/             QUILLOX, NESTLVL, quillox-all, quillox-report, quillox-stub-exec,
#                    quillox-replay and the links quillox, nestlvl
#   share/quillox/   the front-end template NEWDSP4.TXT and the copybooks STDHEAD and KVZAID;
#                    replay/ the stand-in for the monitor that quillox-replay compiles with cobc
#   share/man/man1/  a manual page per command, man7/ the guide quillox-migration(7), compressed
#   share/doc/quillox/  README.md.gz, copyright, changelog.gz, as Debian lays them out
include(GNUInstallDirs)

# quillox-report carries the C++ runtime in itself like the other tools, so that they need
# nothing at run time but the C library.
target_link_libraries(quillox-report PRIVATE tool_runtime)
# (replay/CMakeLists.txt installs quillox-replay and its stand-in.)

# The lower-case names are links made in the build tree and installed as links, so that the
# install lists them like every other file.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/links)
foreach(tool QUILLOX NESTLVL)
  string(TOLOWER ${tool} link)
  file(CREATE_LINK ${tool} ${CMAKE_BINARY_DIR}/links/${link} SYMBOLIC)
  install(FILES ${CMAKE_BINARY_DIR}/links/${link} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/samples/NEWDSP4.TXT ${PROJECT_SOURCE_DIR}/samples/STDHEAD
              ${PROJECT_SOURCE_DIR}/samples/KVZAID
        DESTINATION ${CMAKE_INSTALL_DATADIR}/quillox)

# Manual pages, changelogs and the larger documents are installed compressed, as Debian does it:
# gzip -9n, so that the same text gives the same bytes. The copyright file stays plain.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
add_custom_target(compressed_docs ALL)
function(install_compressed source name destination)
  set(compressed ${CMAKE_BINARY_DIR}/compressed/${destination}/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/compressed/${destination}
                     COMMAND sh -c "${GZIP_EXECUTABLE} -9n -c \"$1\" > \"$2\"" gzip ${source} ${compressed}
                     DEPENDS ${source}
                     VERBATIM)
  string(MAKE_C_IDENTIFIER ${destination}/${name} target)
  add_custom_target(${target}_gz DEPENDS ${compressed})
  add_dependencies(compressed_docs ${target}_gz)
  install(FILES ${compressed} DESTINATION ${destination})
endfunction()

foreach(page QUILLOX.1 NESTLVL.1 quillox-all.1 quillox-report.1 quillox-stub-exec.1
             quillox-replay.1)
  install_compressed(${PROJECT_SOURCE_DIR}/docs/man/${page} ${page} ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
install_compressed(${PROJECT_SOURCE_DIR}/docs/man/quillox-migration.7 quillox-migration.7
                   ${CMAKE_INSTALL_MANDIR}/man7)
install_compressed(${PROJECT_SOURCE_DIR}/README.md README.md ${CMAKE_INSTALL_DOCDIR})
install_compressed(${PROJECT_SOURCE_DIR}/docs/changelog changelog ${CMAKE_INSTALL_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/docs/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# cpack -G DEB (from the release build): the same files under /usr. The dependencies are those
# of the executables, found by dpkg-shlibdeps: the C library only. quillox-replay runs GnuCOBOL's
# cobc when it plays a dialogue, and only then: the package recommends it.
set(CPACK_PACKAGE_NAME quillox)
set(CPACK_PACKAGE_VENDOR "The QUILLOX developers")
set(CPACK_PACKAGE_CONTACT "The QUILLOX developers <quillox@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Migration of ZARN screen programs: QUILLOX, NESTLVL, quillox-all, quillox-report and quillox-replay")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gnucobol3 | gnucobol")
include(CPack)
