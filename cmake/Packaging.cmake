# Windows: the programs' resources (version, manifest, icon).
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
