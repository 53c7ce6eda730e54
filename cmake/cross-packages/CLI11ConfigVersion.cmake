include(${CMAKE_CURRENT_LIST_DIR}/header_only.cmake)
tracciato_header_version(_version CLI/Version.hpp
  CLI11_VERSION_MAJOR CLI11_VERSION_MINOR CLI11_VERSION_PATCH)
tracciato_accept_newer("${_version}")
