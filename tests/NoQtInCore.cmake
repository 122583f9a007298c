# Fails when a core source or header includes a Qt header.
file(GLOB_RECURSE files
  ${SOURCE_DIR}/src/text/* ${SOURCE_DIR}/src/store/* ${SOURCE_DIR}/src/output/*
  ${SOURCE_DIR}/src/import/* ${SOURCE_DIR}/src/browse/* ${SOURCE_DIR}/src/app/*)
set(bad "")
foreach(f IN LISTS files)
  get_filename_component(name ${f} NAME_WE)
  if(name MATCHES "(Window|Dialog)")
    continue()
  endif()
  file(STRINGS ${f} hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|qt)")
  if(hits)
    list(APPEND bad ${f})
  endif()
endforeach()
if(bad)
  message(FATAL_ERROR "Qt headers in core files: ${bad}")
endif()
