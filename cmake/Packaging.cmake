# Windows: the programs' resources (version, manifest, icon), and, in the
# cross build with Qt for Windows, what the packages hold: the install()
# rules and the CPack settings from which scripts/package-windows makes the
# portable zip (generator ZIP) and the per-user installer (NSIS).
if(NOT WIN32)
  return()
endif()

enable_language(RC)

# A version resource with the version of project(), a manifest and an icon
# (icon may be empty).
function(declarium_program_resources target description manifest icon)
  set(DECLARIUM_FILE_NAME "${target}.exe")
  set(DECLARIUM_FILE_DESCRIPTION "${description}")
  set(DECLARIUM_MANIFEST "${manifest}")
  if(icon)
    set(DECLARIUM_ICON_LINE "1 ICON \"${icon}\"")
  else()
    set(DECLARIUM_ICON_LINE "")
  endif()
  set(rc "${PROJECT_BINARY_DIR}/resources/${target}.rc")
  configure_file("${PROJECT_SOURCE_DIR}/cmake/packaging/program.rc.in" "${rc}" @ONLY)
  # windres reads the manifest and the icon; a change to either remakes the resource.
  set_source_files_properties("${rc}" TARGET_DIRECTORY ${target} PROPERTIES OBJECT_DEPENDS "${manifest};${icon}")
  target_sources(${target} PRIVATE "${rc}")
endfunction()

declarium_program_resources(declarium-cli "Declarium command line"
  "${PROJECT_SOURCE_DIR}/src/cli/declarium-cli.manifest" "")
if(TARGET declarium)
  set(resources "${PROJECT_SOURCE_DIR}/src/desktop/windows/resources")
  declarium_program_resources(declarium "Declarium: Windows API declarations for E, C# and VB"
    "${resources}/declarium.manifest" "${resources}/declarium.ico")
endif()

if(NOT (CMAKE_CROSSCOMPILING AND TARGET declarium))
  return()
endif()

# ---- What the packages hold ---------------------------------------------
# One folder, as the program expects: the two programs with Config.ini and
# data.db beside them, Qt's DLLs and the two plugins the desktop program
# loads, the MinGW runtime, Qt's Chinese translation, the user guide and the
# licences. Everything is installed to the top of the package.
set(DECLARIUM_PACKAGE_CATALOGUE "" CACHE FILEPATH
    "The catalogue shipped as data.db (scripts/package-windows sets a copy of the generated one)")
set(qt "${DECLARIUM_WINDOWS_DEPS}/qt")

install(TARGETS declarium declarium-cli RUNTIME DESTINATION .)

# declarium.exe imports these four; its Qt has no other module it needs.
set(qt_dlls Qt6Core Qt6Gui Qt6Widgets Qt6Network)
list(TRANSFORM qt_dlls REPLACE "(.+)" "${qt}/bin/\\1.dll")
# The one C++ runtime of the desktop program's process: the MinGW DLLs that
# Qt's DLLs import, which declarium.exe links to as well (declarium-cli.exe
# has its runtime linked in and loads none of them).
set(runtime_dlls "")
foreach(name libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=${name}
    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "The MinGW runtime ${name} is not where ${CMAKE_CXX_COMPILER} looks")
  endif()
  get_filename_component(path "${path}" REALPATH)
  list(APPEND runtime_dlls "${path}")
endforeach()
install(FILES ${qt_dlls} ${runtime_dlls} DESTINATION .)
# The windows platform; the windowsvista style draws the controls as the
# system's own (without it Qt falls back to its plain Windows style).
install(FILES "${qt}/plugins/platforms/qwindows.dll" DESTINATION platforms)
install(FILES "${qt}/plugins/styles/qwindowsvistastyle.dll" DESTINATION styles)
# Qt's own texts (buttons of its dialogs) in Chinese: the program looks for
# the file in translations/ beside itself when Qt's built-in path has none.
install(FILES /usr/share/qt6/translations/qtbase_zh_CN.qm DESTINATION translations)

# Every DLL without its symbol tables: the MinGW runtime as Debian ships it
# is 24 MB, stripped 2 MB. The programs are linked stripped (-s).
install(CODE "
  file(GLOB_RECURSE dlls \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\")
  foreach(dll IN LISTS dlls)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${dll}\" RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR \"strip failed on \${dll}\")
    endif()
  endforeach()")

if(DECLARIUM_PACKAGE_CATALOGUE)
  install(FILES "${DECLARIUM_PACKAGE_CATALOGUE}" DESTINATION . RENAME data.db)
endif()
# UTF-8 with a byte-order mark, as kept in the repository: Notepad of every
# Windows version reads it so.
install(FILES "${PROJECT_SOURCE_DIR}/docs/使用说明.txt" DESTINATION .)

# The licences of what is bundled, from Debian's copyright files of the
# packages whose sources were built or copied.
set(DECLARIUM_QT_DEBIAN_VERSION "${DECLARIUM_WINDOWS_QT}")
file(READ "${DECLARIUM_WINDOWS_DEPS}/libxml2/debian-version" DECLARIUM_LIBXML2_DEBIAN_VERSION)
string(STRIP "${DECLARIUM_LIBXML2_DEBIAN_VERSION}" DECLARIUM_LIBXML2_DEBIAN_VERSION)
configure_file("${PROJECT_SOURCE_DIR}/cmake/packaging/licenses.txt.in"
  "${PROJECT_BINARY_DIR}/packaging/licenses.txt" @ONLY)
install(FILES "${PROJECT_BINARY_DIR}/packaging/licenses.txt" DESTINATION licenses RENAME 说明.txt)
set(doc /usr/share/doc)
foreach(pair
    "libqt6core6/copyright=Qt.txt"
    "qt6-translations-l10n/copyright=Qt-translations.txt"
    "libxml2/copyright=libxml2.txt"
    "libsqlite3-0/copyright=SQLite.txt"
    "gcc-mingw-w64-x86-64-posix-runtime/copyright=GCC-runtime.txt"
    "mingw-w64-common/copyright=MinGW-w64.txt")
  string(REPLACE "=" ";" pair "${pair}")
  list(GET pair 0 from)
  list(GET pair 1 to)
  install(FILES "${doc}/${from}" DESTINATION licenses RENAME ${to})
endforeach()
install(FILES /usr/share/common-licenses/LGPL-3 DESTINATION licenses RENAME LGPL-3.txt)
install(FILES /usr/share/common-licenses/GPL-3 DESTINATION licenses RENAME GPL-3.txt)

# ---- CPack: the zip and the installer -----------------------------------
set(CPACK_PACKAGE_NAME Declarium)
set(CPACK_PACKAGE_VENDOR Declarium)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Declarium)
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/packages")
set(CPACK_GENERATOR "ZIP;NSIS")
# Declarium-<version>-win64.zip and Declarium-<version>-setup.exe.
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/cmake/packaging/CPackNames.cmake")
# The installer's script is cmake/packaging/NSIS.template.in.
set(CPACK_MODULE_PATH "${PROJECT_SOURCE_DIR}/cmake/packaging")
set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/src/desktop/windows/resources/declarium.ico")
# The file names in the script CPack writes, and its own texts, are UTF-8;
# makensis on Linux would read them in the locale's character set.
set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS -INPUTCHARSET UTF8)
include(CPack)
