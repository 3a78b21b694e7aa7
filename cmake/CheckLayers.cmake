# cmake -DGC_SOURCE_DIR=<tree> -DGC_LAYERS=<build>/gc_layers.cmake -P cmake/CheckLayers.cmake
#
# Fails when a source of src/ includes a header of a library that is neither
# its own library nor one below it (gc_layers.cmake, written from the
# gc_add_library calls: each library's folders and the libraries its DEPS
# reach). That catches an include up the layers and so every circle between
# folders. A folder belongs to the library with the longest folder that
# holds it (src/app/services/texts is app_services'); a file in no library's
# folder (src/main.cpp, the program's start-up) is not checked, nor are
# includes in angle brackets or of files outside src/.
cmake_minimum_required(VERSION 3.25)
include(${GC_LAYERS})

# The library a folder of src/ (relative to the tree, "src/grid/paint")
# belongs to, in the variable `out`; empty for none.
function(gc_library_of folder out)
  set(best "")
  set(best_length 0)
  foreach(lib IN LISTS GC_LAYER_LIBRARIES)
    foreach(dir IN LISTS GC_LAYER_DIRS_${lib})
      string(LENGTH "${dir}" length)
      if((folder STREQUAL dir OR folder MATCHES "^${dir}/") AND length GREATER best_length)
        set(best ${lib})
        set(best_length ${length})
      endif()
    endforeach()
  endforeach()
  set(${out} "${best}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE files RELATIVE ${GC_SOURCE_DIR} ${GC_SOURCE_DIR}/src/*.h ${GC_SOURCE_DIR}/src/*.cpp)
list(SORT files)
set(faults 0)
foreach(file IN LISTS files)
  get_filename_component(folder ${file} DIRECTORY)
  if(NOT DEFINED lib_of_${folder})
    gc_library_of(${folder} lib_of_${folder})
  endif()
  set(lib "${lib_of_${folder}}")
  if("${lib}" STREQUAL "")
    continue()
  endif()
  file(READ ${GC_SOURCE_DIR}/${file} text)
  string(REGEX MATCHALL "(^|\n)[ \t]*#[ \t]*include[ \t]*\"[^\"\n]+\"" includes "${text}")
  foreach(include IN LISTS includes)
    string(REGEX REPLACE "^.*\"([^\"]+)\"$" "\\1" header "${include}")
    if(NOT header MATCHES "/")
      continue()   # a header beside the file
    endif()
    get_filename_component(header_folder "src/${header}" DIRECTORY)
    if(NOT DEFINED lib_of_${header_folder})
      gc_library_of(${header_folder} lib_of_${header_folder})
    endif()
    set(header_lib "${lib_of_${header_folder}}")
    if("${header_lib}" STREQUAL "" OR header_lib STREQUAL lib OR header_lib IN_LIST GC_LAYER_BELOW_${lib})
      continue()
    endif()
    # The line: the newlines before the include's own.
    string(FIND "${text}" "${include}" at)
    string(SUBSTRING "${text}" 0 ${at} before)
    string(REGEX MATCHALL "\n" newlines "${before}")
    list(LENGTH newlines line)
    if(include MATCHES "^\n")
      math(EXPR line "${line} + 2")
    else()
      math(EXPR line "${line} + 1")
    endif()
    set(below "${GC_LAYER_BELOW_${lib}}")
    if(below STREQUAL "")
      set(below "nothing")
    endif()
    string(REPLACE ";" ", " below "${below}")
    message("${file}:${line}: error: includes \"${header}\" of library ${header_lib}, "
            "which is not below library ${lib} (below ${lib}: ${below})")
    math(EXPR faults "${faults} + 1")
  endforeach()
endforeach()
if(faults GREATER 0)
  message(FATAL_ERROR "${faults} include(s) in src/ go up or across the layers. A library includes only "
                      "headers of its own folders and of the libraries below it (its DEPS in "
                      "CMakeLists.txt and theirs); see cmake/README.md.")
endif()
