# Per generator, the file name of the package (CPack reads this once for each
# generator): Declarium-<version>-win64.zip, whose folder has the same name,
# and Declarium-<version>-setup.exe.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "Declarium-${CPACK_PACKAGE_VERSION}-setup")
else()
  set(CPACK_PACKAGE_FILE_NAME "Declarium-${CPACK_PACKAGE_VERSION}-win64")
endif()
