# Installing the game as a desktop application, and its Debian package.
include(GNUInstallDirs)

set(VELMORA_APP_ID example.velmora.Velmora)

install(TARGETS velmora velmora-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The game looks for these in ../share/velmora beside its program.
install(FILES
  assets/sound/その他.wav assets/sound/禁止.wav assets/sound/駒打音.wav assets/sound/BGM.wav
  assets/help/Velmora.htm assets/help/velmora-help.css assets/help/two_board_capture.png assets/help/castling.png
  assets/help/review.png
  assets/help/Velmora.en.htm assets/help/two_board_capture.en.png assets/help/castling.en.png
  assets/help/review.en.png
  ${VELMORA_QM_FILES}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/velmora)

install(FILES assets/desktop/${VELMORA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 48 64 128 256)
  install(FILES assets/icons/velmora-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${VELMORA_APP_ID}.png)
endforeach()
install(FILES assets/icons/velmora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${VELMORA_APP_ID}.svg)

# Files that carry the version number or install paths.
configure_file(assets/desktop/${VELMORA_APP_ID}.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/install/${VELMORA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/install/${VELMORA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(page velmora velmora-cli)
  configure_file(assets/man/${page}.6.in ${PROJECT_BINARY_DIR}/install/${page}.6 @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/install/${page}.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endforeach()

# cpack -G DEB: velmora_<version>_amd64.deb, its library dependencies read
# from the programs themselves.
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "The Velmora developers")
set(CPACK_PACKAGE_CONTACT "The Velmora developers <developers@velmora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "chess on two boards at once")
set(CPACK_PACKAGE_DESCRIPTION "A chess game played on two complete boards side by side, against the\ncomputer or another person at the same screen. A piece that lands on a\nsquare also removes an enemy piece on the same square of the other board.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://velmora.example/")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not libraries, so not found by the programs' own dependencies.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-mincho")
set(CPACK_STRIP_FILES ON)
include(CPack)
