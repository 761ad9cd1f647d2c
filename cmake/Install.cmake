# Installing the game as a desktop application: the program, its generated
# data, a desktop entry, icons, AppStream metadata with screenshots, the
# manual page, and a Debian package of the same layout made by CPack.

set(KOLVETRA_APP_ID io.github.kolvetra.Kolvetra)
set(KOLVETRA_RELEASE_DATE 2026-12-08)
set(KOLVETRA_HOMEPAGE https://kolvetra.github.io/)
set(KOLVETRA_DIST ${CMAKE_BINARY_DIR}/dist)

# Desktop entry, metadata and manual page carry the project's version.
configure_file(${PROJECT_SOURCE_DIR}/dist/app.desktop.in ${KOLVETRA_DIST}/${KOLVETRA_APP_ID}.desktop @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/dist/app.metainfo.xml.in ${KOLVETRA_DIST}/${KOLVETRA_APP_ID}.metainfo.xml @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/dist/kolvetra.6.in ${KOLVETRA_DIST}/kolvetra.6 @ONLY)

# The icon, drawn by the data generator like every other picture.
set(KOLVETRA_ICON_SIZES 48 64 128 256)
set(ICON_FILES ${KOLVETRA_DIST}/icons/icon.svg)
foreach(size ${KOLVETRA_ICON_SIZES})
  list(APPEND ICON_FILES ${KOLVETRA_DIST}/icons/icon-${size}.png)
endforeach()
add_custom_command(
  OUTPUT ${ICON_FILES}
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 $<TARGET_FILE:kolvetra-datagen> --icons ${KOLVETRA_DIST}/icons
  DEPENDS kolvetra-datagen
  COMMENT "Drawing the desktop icon"
  VERBATIM)

# Screenshots for the software centre, taken by the game itself, headless,
# for a player who has a profile (so the game starts on the main menu).
# Each entry: file name, then the game's arguments separated by '|'.
set(KOLVETRA_SCREENSHOTS
  "race-beach|--race|beach1|--autopilot|--vehicle|0|--colour|3|--frames|420"
  "race-city|--race|city1|--autopilot|--vehicle|3|--colour|1|--frames|900"
  "editor|--frames|40|--input|${PROJECT_SOURCE_DIR}/dist/screenshot-editor.txt")
set(SCREENSHOT_FILES "")
set(SCREENSHOT_PLAYER ${KOLVETRA_DIST}/screenshot-player)
foreach(shot ${KOLVETRA_SCREENSHOTS})
  string(REPLACE "|" ";" shot "${shot}")
  list(POP_FRONT shot name)
  set(file ${KOLVETRA_DIST}/screenshots/${name}.png)
  list(APPEND SCREENSHOT_FILES ${file})
  add_custom_command(
    OUTPUT ${file}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${SCREENSHOT_PLAYER}-${name}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/dist/screenshot-player ${SCREENSHOT_PLAYER}-${name}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KOLVETRA_DIST}/screenshots
    COMMAND ${CMAKE_COMMAND} -E env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null
            ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:kolvetra> --headless --seed 1 --data ${CMAKE_BINARY_DIR}/data
            --user-dir ${SCREENSHOT_PLAYER}-${name} ${shot} --screenshot ${file}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${SCREENSHOT_PLAYER}-${name}
    DEPENDS kolvetra ${CMAKE_BINARY_DIR}/tracks.stamp ${PROJECT_SOURCE_DIR}/dist/screenshot-editor.txt
            ${PROJECT_SOURCE_DIR}/dist/screenshot-player/prf/Player
    COMMENT "Taking the screenshot ${name}"
    VERBATIM)
endforeach()
add_custom_target(desktop_files ALL DEPENDS ${ICON_FILES} ${SCREENSHOT_FILES})
add_dependencies(desktop_files data)

install(TARGETS kolvetra RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The game only reads its data; the player's files go to the player's folder.
install(DIRECTORY ${CMAKE_BINARY_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kolvetra
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(FILES ${KOLVETRA_DIST}/${KOLVETRA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KOLVETRA_DIST}/${KOLVETRA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size ${KOLVETRA_ICON_SIZES})
  install(FILES ${KOLVETRA_DIST}/icons/icon-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${KOLVETRA_APP_ID}.png)
endforeach()
install(FILES ${KOLVETRA_DIST}/icons/icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${KOLVETRA_APP_ID}.svg)
# The metadata points at these screenshots on the homepage; they are
# installed with the documentation so a packager has them at hand.
install(FILES ${SCREENSHOT_FILES} DESTINATION ${CMAKE_INSTALL_DOCDIR}/screenshots)
install(FILES ${KOLVETRA_DIST}/kolvetra.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# Removes what the last install from this build tree wrote.
add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -DMANIFEST=${CMAKE_BINARY_DIR}/install_manifest.txt -P ${PROJECT_SOURCE_DIR}/cmake/Uninstall.cmake
  COMMENT "Removing the installed files"
  VERBATIM)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kolvetra)
set(CPACK_PACKAGE_VENDOR "Kolvetra developers")
set(CPACK_PACKAGE_CONTACT "Kolvetra developers <kolvetra@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "top-down off-road racing game")
set(CPACK_PACKAGE_DESCRIPTION "Four vehicles, computer opponents, a sixteen-track tournament over beach, forest,
ice and city landscapes, bonuses, player profiles and a built-in track editor.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KOLVETRA_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
