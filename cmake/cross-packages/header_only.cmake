# tracciato_header_only(TARGET HEADER FOLDER): an imported interface target whose
# include folder holds one link, FOLDER, to the host's copy of a header-only library,
# found by HEADER (e.g. CLI/CLI.hpp). Only that library becomes visible to the build.
function(tracciato_header_only target header folder)
  if(TARGET ${target})
    return()
  endif()
  string(MAKE_C_IDENTIFIER "${target}" id)
  find_path(TRACCIATO_HOST_${id}_INCLUDE ${header}
    PATHS /usr/include /usr/local/include
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT TRACCIATO_HOST_${id}_INCLUDE)
    message(FATAL_ERROR "${header} not found on the host (install its Debian -dev package)")
  endif()
  set(stage ${CMAKE_BINARY_DIR}/cross-include/${id})
  file(MAKE_DIRECTORY ${stage})
  if(NOT EXISTS ${stage}/${folder})
    file(CREATE_LINK ${TRACCIATO_HOST_${id}_INCLUDE}/${folder} ${stage}/${folder} SYMBOLIC)
  endif()
  add_library(${target} INTERFACE IMPORTED)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${stage})
endfunction()

# tracciato_header_version(OUT HEADER MAJOR_MACRO MINOR_MACRO PATCH_MACRO): the version
# a header states in three #define lines, or empty when the header is not found.
function(tracciato_header_version out header major minor patch)
  set(${out} "" PARENT_SCOPE)
  foreach(dir /usr/include /usr/local/include)
    if(EXISTS ${dir}/${header})
      file(STRINGS ${dir}/${header} lines REGEX "#define (${major}|${minor}|${patch}) ")
      set(parts)
      foreach(macro ${major} ${minor} ${patch})
        foreach(line ${lines})
          if(line MATCHES "#define ${macro} +([0-9]+)")
            list(APPEND parts ${CMAKE_MATCH_1})
          endif()
        endforeach()
      endforeach()
      list(JOIN parts "." version)
      set(${out} "${version}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
endfunction()

# Sets PACKAGE_VERSION and the compatibility flags of a version file: any version at
# or above the one asked for will do.
macro(tracciato_accept_newer version)
  set(PACKAGE_VERSION "${version}")
  if(PACKAGE_VERSION STREQUAL "" OR PACKAGE_VERSION VERSION_LESS PACKAGE_FIND_VERSION)
    set(PACKAGE_VERSION_COMPATIBLE FALSE)
  else()
    set(PACKAGE_VERSION_COMPATIBLE TRUE)
    if(PACKAGE_FIND_VERSION STREQUAL PACKAGE_VERSION)
      set(PACKAGE_VERSION_EXACT TRUE)
    endif()
  endif()
endmacro()
