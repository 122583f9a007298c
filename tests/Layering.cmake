# Fails when a file includes against the layers of the source tree. A folder
# is a library, and a library includes only from itself and the libraries
# below it:
#   core:    text <- store <- output <- import; store <- catalogue; output <- config
#   desktop: core <- model <- windows; core <- toolkit <- windows
#   cli and tools/apigen: core only
# Qt is not included by the core, the desktop model, the command line or the
# generator, and no header of the core or the model holds a narrow literal
# with non-ASCII text. A project include names its library first ("store/Records.h");
# an include without a known library must be a file beside the includer.
# Tests keep the layer of the folder they mirror, plus their support folder;
# a test's own files are named by their folder below tests ("desktop/support").
#
#   cmake -DSOURCE_DIR=<top of the tree> -P tests/Layering.cmake

cmake_policy(VERSION 3.25)

set(core_text text)
set(core_store text store)
set(core_output text store output)
set(core_import text store output import)
set(core_catalogue text store catalogue)
set(core_config text output config)
set(core_all text store output import catalogue config)

# allowed_<layer>: the libraries its files may include; qt_<layer>: ON when Qt may be.
foreach(lib text store output import catalogue config)
  set(allowed_src/core/${lib} ${core_${lib}})
  set(qt_src/core/${lib} OFF)
  set(allowed_tests/core/${lib} ${core_all} support)
  set(qt_tests/core/${lib} OFF)
endforeach()
set(allowed_src/desktop/model ${core_all} model)
set(allowed_src/desktop/toolkit ${core_all} toolkit)
set(allowed_src/desktop/windows ${core_all} model toolkit windows)
set(allowed_src/desktop ${core_all} model toolkit windows)
set(allowed_src/cli ${core_all} cli)
set(allowed_tools/apigen ${core_all} apigen)
set(allowed_tests/desktop/model ${allowed_src/desktop/model} support)
set(allowed_tests/desktop/support ${allowed_src/desktop/toolkit} support desktop/support)
set(allowed_tests/desktop/toolkit ${allowed_src/desktop/toolkit} support desktop/support)
set(allowed_tests/desktop/windows ${allowed_src/desktop/windows} support desktop/support desktop/toolkit
    desktop/windows)
set(allowed_tests/cli ${core_all} cli support)
set(allowed_tests/tools ${core_all} apigen support)
set(allowed_tests/support ${core_all} support)
set(allowed_bench ${core_all})
set(allowed_bench/ui ${allowed_src/desktop/windows} desktop/support)
set(allowed_fuzz ${core_all})
foreach(layer src/desktop/model src/cli tools/apigen tests/desktop/model tests/cli tests/tools tests/support
              bench fuzz)
  set(qt_${layer} OFF)
endforeach()
foreach(layer src/desktop/toolkit src/desktop/windows src/desktop tests/desktop/support tests/desktop/toolkit
              tests/desktop/windows bench/ui)
  set(qt_${layer} ON)
endforeach()

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR}
  ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/tools/*.h ${SOURCE_DIR}/tools/*.cpp
  ${SOURCE_DIR}/tests/*.h ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/bench/*.h ${SOURCE_DIR}/bench/*.cpp
  ${SOURCE_DIR}/fuzz/*.h ${SOURCE_DIR}/fuzz/*.cpp)
set(bad "")
foreach(f IN LISTS files)
  get_filename_component(dir ${f} DIRECTORY)
  if(NOT DEFINED allowed_${dir})
    list(APPEND bad "${f}: its folder is no known library")
    continue()
  endif()
  # Include lines, and the lines that open or close a raw string: an include
  # inside one is text of a test, not of the file.
  file(STRINGS ${SOURCE_DIR}/${f} includes REGEX "^[ \t]*#[ \t]*include|R\"\\(|\\)\"")
  set(in_raw OFF)
  foreach(line IN LISTS includes)
    if(in_raw)
      if(line MATCHES "\\)\"")
        set(in_raw OFF)
      endif()
      continue()
    elseif(line MATCHES "R\"\\(" AND NOT line MATCHES "R\"\\(.*\\)\"")
      set(in_raw ON)
      continue()
    elseif(line MATCHES "#[ \t]*include[ \t]*<(Q[A-Za-z]|qt)")
      if(NOT qt_${dir})
        list(APPEND bad "${f}: Qt in a Qt-free library: ${line}")
      endif()
    elseif(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
      set(path ${CMAKE_MATCH_1})
      if(path MATCHES "^(desktop/[^/]+|[^/]+)/")
        set(lib ${CMAKE_MATCH_1})
        if(NOT lib IN_LIST allowed_${dir})
          list(APPEND bad "${f}: ${dir} may not include ${path}")
        endif()
      elseif(NOT path MATCHES "\\.moc$" AND NOT EXISTS ${SOURCE_DIR}/${dir}/${path})
        list(APPEND bad "${f}: ${path} names no library")
      endif()
    endif()
  endforeach()
  # A header below the Qt layers can be included by a library compiled as
  # UTF-8 as well as by one compiled as GBK: a narrow literal with Chinese
  # text would then be two different texts. Such literals live in .cpp files.
  if(f MATCHES "^src/(core|desktop/model)/.*\\.h$")
    file(STRINGS ${SOURCE_DIR}/${f} lines ENCODING UTF-8)
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "//.*$" "" code "${line}")
      if(code MATCHES "(^|[^uUL8R])\"[^\"]*[^ -~\t][^\"]*\"")
        list(APPEND bad "${f}: a narrow literal with non-ASCII text in a header: ${line}")
      endif()
    endforeach()
  endif()
endforeach()
if(bad)
  string(REPLACE ";" "\n  " bad "${bad}")
  message(FATAL_ERROR "Against the layers:\n  ${bad}")
endif()
