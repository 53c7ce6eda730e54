# One folder, one library. A room's headers are reachable as FOLDER/NAME.h only by the
# room itself and by what links its library: each room gets a folder of links to its
# own headers in the build tree, and that folder, not the checkout, is on the include
# path of the room and of its users. So an include of a room that is not linked (an
# upward include) does not build. tools/check_layout.sh keeps the list of what may
# include what.

# tracciato_room(TARGET SOURCE...): the room's library, of the folder of the calling
# CMakeLists.
function(tracciato_room target)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(headers_dir ${PROJECT_BINARY_DIR}/rooms/${target})
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  file(REMOVE_RECURSE ${headers_dir})
  file(MAKE_DIRECTORY ${headers_dir}/${folder})
  foreach(header IN LISTS headers)
    get_filename_component(name ${header} NAME)
    file(CREATE_LINK ${header} ${headers_dir}/${folder}/${name} SYMBOLIC)
  endforeach()
  add_library(${target} STATIC ${ARGN})
  target_include_directories(${target} PUBLIC ${headers_dir})
endfunction()

# tracciato_test(NAME SOURCE...): one test binary per room, linking the test support
# and GoogleTest; the room's own library is linked by the caller. Run through CTest.
function(tracciato_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE tracciato_test_support GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
