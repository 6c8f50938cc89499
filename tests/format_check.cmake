# Fails when a source file differs from what clang-format makes of it under the project's .clang-format.
file(GLOB_RECURSE sources RELATIVE ${ROOT}
  ${ROOT}/app/*.h ${ROOT}/app/*.cpp
  ${ROOT}/base/*.h ${ROOT}/base/*.cpp
  ${ROOT}/batchrun/*.h ${ROOT}/batchrun/*.cpp
  ${ROOT}/bench/*.h ${ROOT}/bench/*.cpp
  ${ROOT}/bsptwomap/*.h ${ROOT}/bsptwomap/*.cpp
  ${ROOT}/config/*.h ${ROOT}/config/*.cpp
  ${ROOT}/decompile/*.h ${ROOT}/decompile/*.cpp
  ${ROOT}/editor/*.h ${ROOT}/editor/*.cpp
  ${ROOT}/goldsource/*.h ${ROOT}/goldsource/*.cpp
  ${ROOT}/platform/*.h ${ROOT}/platform/*.cpp
  ${ROOT}/presets/*.h ${ROOT}/presets/*.cpp
  ${ROOT}/resources/*.h ${ROOT}/resources/*.cpp
  ${ROOT}/script/*.h ${ROOT}/script/*.cpp
  ${ROOT}/settings/*.h ${ROOT}/settings/*.cpp
  ${ROOT}/source/*.h ${ROOT}/source/*.cpp
  ${ROOT}/tests/*.h ${ROOT}/tests/*.cpp
  ${ROOT}/ui/*.h ${ROOT}/ui/*.cpp)
execute_process(
  COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
  WORKING_DIRECTORY ${ROOT}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Files above are not formatted; run: clang-format -i <file>")
endif()
