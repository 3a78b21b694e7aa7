# gc_add_library(<name> DIRS <dir>... DEPS <target>...)
# Every .cpp of the listed folders belongs to the subsystem; generated sources
# can be appended later with target_sources.
#
# A subsystem is an object library: its objects are compiled once (position
# independent) and go both into the program, linked statically so that start-up
# pays no symbol relocation, and into one shared library that the many test
# and benchmark programs link, so that each of them links in a moment instead
# of copying the whole system. Object libraries may refer to each other in a
# circle, which the grid class chain needs.
function(gc_add_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;DEPS" ${ARGN})
  set(sources)
  foreach(dir IN LISTS ARG_DIRS)
    file(GLOB dir_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp ${PROJECT_SOURCE_DIR}/${dir}/*.h)
    list(APPEND sources ${dir_sources})
  endforeach()
  if(NOT sources)
    set(stub ${CMAKE_CURRENT_BINARY_DIR}/gc_empty_${name}.cpp)
    file(WRITE ${stub} "namespace { [[maybe_unused]] int gc_empty_${name}; }\n")
    list(APPEND sources ${stub})
  endif()
  add_library(${name} OBJECT ${sources})
  set_property(TARGET ${name} PROPERTY POSITION_INDEPENDENT_CODE ON)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()
