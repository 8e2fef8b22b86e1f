# Only the headers of the Firebird client are used at build time: the client
# library itself is loaded when the program starts, so that a machine without
# it gets a clear message instead of a loader error.
find_path(FIREBIRD_INCLUDE_DIR firebird/Interface.h REQUIRED)

# The engine root holds the client library, the engine plugin and the
# character-set module; the FIREBIRD environment variable overrides it at run time.
set(ZUNO_FIREBIRD_ROOT "" CACHE PATH "Firebird root folder (empty: find it)")
if(NOT ZUNO_FIREBIRD_ROOT)
  foreach(candidate
      /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/firebird/3.0
      /usr/lib/firebird/3.0
      /opt/firebird)
    if(EXISTS ${candidate}/plugins)
      set(ZUNO_FIREBIRD_ROOT ${candidate})
      break()
    endif()
  endforeach()
endif()
if(NOT ZUNO_FIREBIRD_ROOT)
  message(FATAL_ERROR "The Firebird 3 engine was not found; run scripts/install-deps.sh")
endif()
message(STATUS "Firebird root: ${ZUNO_FIREBIRD_ROOT}")
