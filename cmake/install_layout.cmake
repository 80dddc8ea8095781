# What `cmake --install` puts where, and the Debian package that cpack makes of it:
#   bin/             QUILLOX, NESTLVL, quillox-all, quillox-report, quillox-replay and the links
#                    quillox, nestlvl
#   share/quillox/   the front-end template NEWDSP4.TXT and the copybooks STDHEAD and KVZAID;
#                    replay/ the stand-in for the monitor that quillox-replay compiles with cobc
#   share/man/man1/  a manual page per command
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
install(FILES ${PROJECT_SOURCE_DIR}/docs/man/QUILLOX.1 ${PROJECT_SOURCE_DIR}/docs/man/NESTLVL.1
              ${PROJECT_SOURCE_DIR}/docs/man/quillox-all.1 ${PROJECT_SOURCE_DIR}/docs/man/quillox-report.1
              ${PROJECT_SOURCE_DIR}/docs/man/quillox-replay.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

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
