# The Windows package: kolvetra-<version>-win64.zip holding the program, the
# libraries it loads, the game data a Linux build generated, and a readme.
set(KOLVETRA_DATA_FROM "" CACHE PATH "The data folder of a Linux build of the game")
set(KOLVETRA_PACKAGE_DIR ${CMAKE_BINARY_DIR} CACHE PATH "Where the zip is written")
if(NOT IS_DIRECTORY "${KOLVETRA_DATA_FROM}")
  message(FATAL_ERROR "KOLVETRA_DATA_FROM must name the data folder of a Linux build")
endif()

set(KOLVETRA_WINDOWS_DLLS SDL2.dll SDL2_image.dll libxmp.dll OpenAL32.dll)
set(stage ${CMAKE_BINARY_DIR}/kolvetra-${PROJECT_VERSION}-win64)
set(zip ${KOLVETRA_PACKAGE_DIR}/kolvetra-${PROJECT_VERSION}-win64.zip)
configure_file(${PROJECT_SOURCE_DIR}/dist/windows-readme.txt.in ${CMAKE_BINARY_DIR}/readme.txt @ONLY NEWLINE_STYLE CRLF)

list(TRANSFORM KOLVETRA_WINDOWS_DLLS PREPEND ${KOLVETRA_WINDOWS_PREFIX}/bin/ OUTPUT_VARIABLE dlls)
list(TRANSFORM KOLVETRA_WINDOWS_DLLS PREPEND ${stage}/ OUTPUT_VARIABLE staged_dlls)
add_custom_command(
  OUTPUT ${zip}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:kolvetra> ${dlls} ${CMAKE_BINARY_DIR}/readme.txt ${stage}
  COMMAND ${CMAKE_STRIP} --strip-unneeded ${stage}/kolvetra.exe ${staged_dlls}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${KOLVETRA_DATA_FROM} ${stage}/data
  COMMAND ${CMAKE_COMMAND} -E rm -f ${zip}
  COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR} ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip
          kolvetra-${PROJECT_VERSION}-win64
  DEPENDS kolvetra ${dlls} ${CMAKE_BINARY_DIR}/readme.txt ${KOLVETRA_DATA_FROM}/../tracks.stamp
  COMMENT "Packing kolvetra-${PROJECT_VERSION}-win64.zip"
  VERBATIM)
add_custom_target(windows_package ALL DEPENDS ${zip})
