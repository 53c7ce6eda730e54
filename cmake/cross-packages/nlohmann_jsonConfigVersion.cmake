include(${CMAKE_CURRENT_LIST_DIR}/header_only.cmake)
tracciato_header_version(_version nlohmann/detail/abi_macros.hpp
  NLOHMANN_JSON_VERSION_MAJOR NLOHMANN_JSON_VERSION_MINOR NLOHMANN_JSON_VERSION_PATCH)
if(_version STREQUAL "")
  # Releases before 3.11 keep the macros in json.hpp itself.
  tracciato_header_version(_version nlohmann/json.hpp
    NLOHMANN_JSON_VERSION_MAJOR NLOHMANN_JSON_VERSION_MINOR NLOHMANN_JSON_VERSION_PATCH)
endif()
tracciato_accept_newer("${_version}")
