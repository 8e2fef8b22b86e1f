# zuno_add_library(NAME SOURCES ... [DEPENDS ...])
#   One static library per subsystem; headers are included as "folder/file.h".
function(zuno_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_BINARY_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  zuno_warnings(${name})
  # Program code spells every text out as UTF-8 QStringLiterals.
  target_compile_definitions(${name} PRIVATE QT_NO_CAST_FROM_ASCII)
endfunction()

function(zuno_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wno-missing-field-initializers)
  target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS)
endfunction()

# zuno_add_test(NAME SOURCES ... [DEPENDS ...] [DB])
#   A Qt Test executable run offscreen by CTest. DB tests get the template
#   database built from database/.
function(zuno_add_test name)
  cmake_parse_arguments(ARG "DB" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE Qt6::Test zuno_testlib ${ARG_DEPENDS})
  zuno_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  set(env "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
  if(ARG_DB)
    add_dependencies(${name} zuno_template_db)
    list(APPEND env "ZUNO_TEMPLATE_DB=${ZUNO_TEMPLATE_DB}")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()
