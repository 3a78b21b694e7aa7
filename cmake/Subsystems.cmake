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
  gc_record_layer(${name} DIRS ${ARG_DIRS} DEPS ${ARG_DEPS})
endfunction()

# The layers. Libraries are declared bottom up: each names in DEPS only
# libraries declared before it (the outside libraries it names do not
# count). gc_record_layer keeps each library's folders and every library
# below it (its DEPS and theirs); gc_add_layer_check hands them to
# cmake/CheckLayers.cmake, which fails the build on a source that includes a
# header of a library that is not below its own. See cmake/README.md.
function(gc_record_layer name)
  cmake_parse_arguments(ARG "" "" "DIRS;DEPS" ${ARGN})
  get_property(known GLOBAL PROPERTY GC_LAYER_LIBRARIES)
  set(below)
  foreach(dep IN LISTS ARG_DEPS)
    if(dep IN_LIST known)
      get_property(dep_below GLOBAL PROPERTY GC_LAYER_BELOW_${dep})
      list(APPEND below ${dep} ${dep_below})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES below)
  set_property(GLOBAL APPEND PROPERTY GC_LAYER_LIBRARIES ${name})
  set_property(GLOBAL PROPERTY GC_LAYER_DIRS_${name} ${ARG_DIRS})
  set_property(GLOBAL PROPERTY GC_LAYER_DEPS_${name} ${ARG_DEPS})
  set_property(GLOBAL PROPERTY GC_LAYER_BELOW_${name} ${below})
endfunction()

# Call once after the last gc_add_library: adds the target layer_check to
# ALL. It runs again whenever a source of src/ or the layer list changes.
function(gc_add_layer_check)
  get_property(libs GLOBAL PROPERTY GC_LAYER_LIBRARIES)
  set(content "# Written by gc_add_layer_check (cmake/Subsystems.cmake): the folders of each\n")
  string(APPEND content "# library and the libraries below it, bottom up.\n")
  string(APPEND content "set(GC_LAYER_LIBRARIES \"${libs}\")\n")
  foreach(lib IN LISTS libs)
    get_property(dirs GLOBAL PROPERTY GC_LAYER_DIRS_${lib})
    get_property(deps GLOBAL PROPERTY GC_LAYER_DEPS_${lib})
    get_property(below GLOBAL PROPERTY GC_LAYER_BELOW_${lib})
    # A library named before it is declared would stand above its user.
    foreach(dep IN LISTS deps)
      if(dep IN_LIST libs AND NOT dep IN_LIST below)
        message(FATAL_ERROR "Library ${lib} names ${dep} in DEPS, which is declared after it: "
                            "a library names only libraries below it (declared before it).")
      endif()
    endforeach()
    string(APPEND content "set(GC_LAYER_DIRS_${lib} \"${dirs}\")\n")
    string(APPEND content "set(GC_LAYER_BELOW_${lib} \"${below}\")\n")
  endforeach()
  set(layers ${CMAKE_BINARY_DIR}/gc_layers.cmake)
  file(CONFIGURE OUTPUT ${layers} CONTENT "${content}")
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*.h ${PROJECT_SOURCE_DIR}/src/*.cpp)
  set(stamp ${CMAKE_BINARY_DIR}/gc_layers.stamp)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DGC_SOURCE_DIR=${PROJECT_SOURCE_DIR} -DGC_LAYERS=${layers}
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${sources} ${layers} ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake
    COMMENT "Checking that every include in src/ goes down the layers"
    VERBATIM)
  add_custom_target(layer_check ALL DEPENDS ${stamp})
endfunction()
