# Cross-build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64):
#   cmake -S . -B build/mingw -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TRACCIATO_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_CXX_COMPILER ${TRACCIATO_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${TRACCIATO_MINGW_PREFIX}-windres)

# Libraries and headers come from the cross tree only, never from the host's /usr.
set(CMAKE_FIND_ROOT_PATH /usr/${TRACCIATO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config likewise: only the cross tree's .pc files, never the host's.
set(ENV{PKG_CONFIG_LIBDIR} /usr/${TRACCIATO_MINGW_PREFIX}/lib/pkgconfig:/usr/${TRACCIATO_MINGW_PREFIX}/share/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

# CLI11 and nlohmann-json are header-only: these package files expose just their
# header folders (through a staging folder of links), not the rest of /usr/include.
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/cross-packages CACHE PATH "CLI11 for the cross build")
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/cross-packages CACHE PATH "nlohmann-json for the cross build")

# The unit tests need GoogleTest, which the cross tree does not have; the Windows
# checks run as plain programs under wine (tools/windows_tests.sh).
set(TRACCIATO_TESTS OFF CACHE BOOL "Build the unit tests")
