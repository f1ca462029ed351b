# add_c_abi_library(NAME <target> OUTPUT <file name> SOURCES ... [LINKS ...])
#
# One C-ABI library: an OBJECT library holding the code, linked into the shared library that is
# shipped (only the exported symbols visible) and into a static library of the same objects that
# the tests link, so internals stay private yet testable.
function(add_c_abi_library)
  cmake_parse_arguments(ARG "" "NAME;OUTPUT" "SOURCES;LINKS" ${ARGN})
  add_library(${ARG_NAME}_objects OBJECT ${ARG_SOURCES})
  target_include_directories(${ARG_NAME}_objects
    PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include
    PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src)
  target_link_libraries(${ARG_NAME}_objects PUBLIC ${ARG_LINKS})

  add_library(${ARG_NAME} SHARED $<TARGET_OBJECTS:${ARG_NAME}_objects>)
  set_target_properties(${ARG_NAME} PROPERTIES OUTPUT_NAME ${ARG_OUTPUT})
  target_include_directories(${ARG_NAME} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include)
  target_link_libraries(${ARG_NAME} PUBLIC ${ARG_LINKS})
  install(TARGETS ${ARG_NAME} LIBRARY DESTINATION ${QUORVEX_PROGRAM_DIR})

  add_library(${ARG_NAME}_static STATIC $<TARGET_OBJECTS:${ARG_NAME}_objects>)
  target_include_directories(${ARG_NAME}_static
    PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include ${CMAKE_CURRENT_SOURCE_DIR}/src)
  target_link_libraries(${ARG_NAME}_static PUBLIC ${ARG_LINKS})
endfunction()
