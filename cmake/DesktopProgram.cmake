# The desktop program: the entry point over the window library.
# The single-instance channel is a local socket.
find_package(Qt6 REQUIRED COMPONENTS Network GLOBAL)
target_link_libraries(declarium_ui PUBLIC Qt6::Network)

add_executable(declarium ${PROJECT_SOURCE_DIR}/src/ui/GuiMain.cpp)
target_link_libraries(declarium PRIVATE declarium_ui)
declarium_warnings(declarium)

# A sample catalogue for trying the program out, built by the command line
# from the E-syntax declarations in sample/.
if(TARGET declarium-cli)
  set(DECLARIUM_SAMPLE_DB ${PROJECT_BINARY_DIR}/sample/data.db)
  add_custom_command(
    OUTPUT ${DECLARIUM_SAMPLE_DB}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/sample
    COMMAND ${CMAKE_COMMAND} -E rm -f ${DECLARIUM_SAMPLE_DB}
    COMMAND ${CMAKE_COMMAND} -E chdir ${PROJECT_BINARY_DIR}/sample $<TARGET_FILE:declarium-cli> init
    COMMAND ${CMAKE_COMMAND} -E chdir ${PROJECT_BINARY_DIR}/sample
            $<TARGET_FILE:declarium-cli> import --from e ${PROJECT_SOURCE_DIR}/sample/winapi_sample.e
    DEPENDS declarium-cli ${PROJECT_SOURCE_DIR}/sample/winapi_sample.e
    COMMENT "Building the sample catalogue"
    VERBATIM)
  add_custom_target(sample_catalogue ALL DEPENDS ${DECLARIUM_SAMPLE_DB})
endif()
