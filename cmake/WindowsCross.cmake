# What the Windows cross build (preset windows-cross) takes from the host
# instead of finding it as a package: the header-only CLI11 and GoogleTest
# built from Debian's source package for the target. The desktop program is
# built when scripts/build-windows-qt has made Qt and libxml2 for Windows.

# Only the CLI folder of the host's include directory, so that no other host
# header can shadow a MinGW one.
find_path(DECLARIUM_CLI11_INCLUDE CLI/CLI.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
if(NOT DECLARIUM_CLI11_INCLUDE)
  message(FATAL_ERROR "CLI11 headers not found: install libcli11-dev")
endif()
set(DECLARIUM_CLI11_LINK "${CMAKE_BINARY_DIR}/host-headers")
file(MAKE_DIRECTORY "${DECLARIUM_CLI11_LINK}")
file(CREATE_LINK "${DECLARIUM_CLI11_INCLUDE}/CLI" "${DECLARIUM_CLI11_LINK}/CLI" SYMBOLIC)
add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 INTERFACE "${DECLARIUM_CLI11_LINK}")

if(DECLARIUM_TESTS)
  set(DECLARIUM_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources (Debian package googletest)")
  if(NOT EXISTS "${DECLARIUM_GOOGLETEST_SOURCE}/googletest/CMakeLists.txt")
    message(FATAL_ERROR "No GoogleTest sources in ${DECLARIUM_GOOGLETEST_SOURCE}: install googletest")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory("${DECLARIUM_GOOGLETEST_SOURCE}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
endif()

if(EXISTS "${DECLARIUM_WINDOWS_DEPS}/qt/debian-version" AND EXISTS "${DECLARIUM_WINDOWS_DEPS}/libxml2/lib/libxml2.a")
  file(READ "${DECLARIUM_WINDOWS_DEPS}/qt/debian-version" DECLARIUM_WINDOWS_QT)
  string(STRIP "${DECLARIUM_WINDOWS_QT}" DECLARIUM_WINDOWS_QT)
  message(STATUS "Qt ${DECLARIUM_WINDOWS_QT} for Windows: declarium.exe and its GUI tests are built")
  set(DECLARIUM_GUI ON CACHE BOOL "Build the Qt desktop program" FORCE)
  set(LIBXML2_INCLUDE_DIR "${DECLARIUM_WINDOWS_DEPS}/libxml2/include/libxml2" CACHE PATH "libxml2 headers for Windows")
  set(LIBXML2_LIBRARY "${DECLARIUM_WINDOWS_DEPS}/libxml2/lib/libxml2.a" CACHE FILEPATH "libxml2 for Windows")
  set(DECLARIUM_LIBXML2_STATIC ON)
else()
  message(STATUS "No Qt for Windows in ${DECLARIUM_WINDOWS_DEPS}/qt: declarium.exe and its GUI tests are not built "
                 "(scripts/build-windows-qt builds Qt once per machine)")
  set(DECLARIUM_GUI OFF CACHE BOOL "Build the Qt desktop program" FORCE)
endif()
