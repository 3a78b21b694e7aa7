# Built-in English texts: english.txt is turned into a C++ table at build time by
# a small host tool, so the texts stay one line each in the repository.
add_executable(gen_texts ${PROJECT_SOURCE_DIR}/tools/gen_texts.cpp)

set(GC_TEXTS_INPUT ${PROJECT_SOURCE_DIR}/src/app/services/texts/english.txt)
set(GC_TEXTS_OUTPUT ${CMAKE_BINARY_DIR}/generated/app/EnglishTexts.cpp)

add_custom_command(
  OUTPUT ${GC_TEXTS_OUTPUT}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated/app
  COMMAND gen_texts ${GC_TEXTS_INPUT} ${GC_TEXTS_OUTPUT} 2600
  DEPENDS gen_texts ${GC_TEXTS_INPUT}
  COMMENT "Generating the built-in English text table"
  VERBATIM)

target_sources(app_services PRIVATE ${GC_TEXTS_OUTPUT} ${PROJECT_SOURCE_DIR}/src/app/services/texts/EnglishTexts.h)
