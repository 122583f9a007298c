# What the Windows cross build (preset windows-cross) takes from the host
# instead of finding it as a package: the header-only CLI11 and GoogleTest
# built from Debian's source package for the target.

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
