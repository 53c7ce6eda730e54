# What `cmake --install` puts where, and the packages CPack makes of it: a .deb on
# Linux, a .zip in the Windows cross build. Only the programs and the documents are
# installed; the rooms' libraries, their headers and the tests are not.
#
#   Linux   bin/tracciato, bin/tracciato-plot (side by side: tracciato plot starts
#           the program beside it), share/doc/tracciato/ (README.md and docs/ as in
#           the checkout, so the README's links hold), share/man/man1/tracciato.1.gz
#   Windows tracciato.exe, README.md and docs/ at the top of the zip
include(GNUInstallDirs)

if(MINGW)
  set(program_dir .)
  set(doc_dir .)
else()
  set(program_dir ${CMAKE_INSTALL_BINDIR})
  set(doc_dir ${CMAKE_INSTALL_DOCDIR})
endif()

install(TARGETS tracciato RUNTIME DESTINATION ${program_dir})
if(TARGET tracciato-plot)
  install(TARGETS tracciato-plot RUNTIME DESTINATION ${program_dir})
endif()
install(FILES README.md DESTINATION ${doc_dir})
# The reference of the texts and the pictures the README shows.
install(FILES docs/format.md docs/map.png docs/profile.png docs/view.png
        DESTINATION ${doc_dir}/docs)

# The man page, from the help of the tracciato just built (cmake/man_page.cmake). A
# cross build cannot run its tracciato, and the Windows zip has no use for one; nor is
# a sanitizer build one to install.
if(NOT CMAKE_CROSSCOMPILING AND NOT TRACCIATO_SANITIZE)
  find_program(TRACCIATO_HELP2MAN help2man)
  find_program(TRACCIATO_GZIP gzip)
  if(TRACCIATO_HELP2MAN AND TRACCIATO_GZIP)
    set(man_page ${PROJECT_BINARY_DIR}/man/tracciato.1)
    add_custom_command(
      OUTPUT ${man_page} ${man_page}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
      COMMAND ${CMAKE_COMMAND} -DTRACCIATO=$<TARGET_FILE:tracciato> -DHELP2MAN=${TRACCIATO_HELP2MAN}
              -DGZIP=${TRACCIATO_GZIP} -DOUTPUT=${man_page} -P ${PROJECT_SOURCE_DIR}/cmake/man_page.cmake
      DEPENDS tracciato ${PROJECT_SOURCE_DIR}/cmake/man_page.cmake
      COMMENT "Making the man page from the help of tracciato"
      VERBATIM)
    add_custom_target(tracciato_man_page ALL DEPENDS ${man_page}.gz)
    install(FILES ${man_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  else()
    message(STATUS "help2man or gzip not found: no man page is made or installed")
  endif()
endif()

set(CPACK_PACKAGE_NAME tracciato)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "scenario compiler for a train-driving simulator")
set(CPACK_PACKAGE_DESCRIPTION
    "tracciato compiles the source texts of a railway route and of a train's run over it
into the binary scenario files of a train-driving simulator, exact to the byte. It
also checks the texts, explains every error code, decodes, draws, shows in a web
page and decompiles compiled scenarios.")
set(TRACCIATO_MAINTAINER "tracciato developers <tracciato@example.org>"
    CACHE STRING "Maintainer named in the packages")
set(CPACK_PACKAGE_CONTACT "${TRACCIATO_MAINTAINER}")
if(MINGW)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME tracciato-${PROJECT_VERSION}-windows-x86_64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)  # tracciato.exe at the top of the zip
  # tracciato.exe is linked without debug sections already (-s).
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_STRIP_FILES ON)  # the debug sections stay in the build tree
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # tracciato_VERSION_ARCH.deb
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TRACCIATO_MAINTAINER}")
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # tracciato is linked statically; tracciato-plot loads cairo and fontconfig, whose
  # packages dpkg-shlibdeps names.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
include(CPack)
