# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64).
# The posix thread model is needed: the core uses std::call_once and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DECLARIUM_MINGW_TRIPLE x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${DECLARIUM_MINGW_TRIPLE}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${DECLARIUM_MINGW_TRIPLE}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${DECLARIUM_MINGW_TRIPLE}-windres)

# SQLite built from Debian's source by scripts/build-windows-sqlite.
if(DEFINED ENV{DECLARIUM_WINDOWS_DEPS})
  set(DECLARIUM_WINDOWS_DEPS "$ENV{DECLARIUM_WINDOWS_DEPS}")
elseif(DEFINED ENV{XDG_CACHE_HOME})
  set(DECLARIUM_WINDOWS_DEPS "$ENV{XDG_CACHE_HOME}/declarium/windows-deps")
else()
  set(DECLARIUM_WINDOWS_DEPS "$ENV{HOME}/.cache/declarium/windows-deps")
endif()
if(NOT EXISTS "${DECLARIUM_WINDOWS_DEPS}/sqlite/lib/libsqlite3.a")
  message(FATAL_ERROR "No SQLite for Windows in ${DECLARIUM_WINDOWS_DEPS}/sqlite: run scripts/build-windows-sqlite")
endif()
set(SQLite3_INCLUDE_DIR "${DECLARIUM_WINDOWS_DEPS}/sqlite/include" CACHE PATH "SQLite headers for Windows")
set(SQLite3_LIBRARY "${DECLARIUM_WINDOWS_DEPS}/sqlite/lib/libsqlite3.a" CACHE FILEPATH "SQLite for Windows")

# Headers and libraries come only from the MinGW sysroot and the SQLite
# build, never from the host's /usr/include or /usr/lib.
set(CMAKE_FIND_ROOT_PATH /usr/${DECLARIUM_MINGW_TRIPLE} "${DECLARIUM_WINDOWS_DEPS}/sqlite")
# Qt and libxml2 for Windows, when scripts/build-windows-qt made them; Qt's
# build tools (moc, rcc, uic) are the host's.
if(EXISTS "${DECLARIUM_WINDOWS_DEPS}/qt/debian-version")
  list(APPEND CMAKE_FIND_ROOT_PATH "${DECLARIUM_WINDOWS_DEPS}/qt" "${DECLARIUM_WINDOWS_DEPS}/libxml2")
  set(QT_HOST_PATH /usr)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Executables that run on any Windows machine without the MinGW runtime DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
