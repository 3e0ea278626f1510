# Install rules: the console and the simulator, the desktop entry, the application icon in
# the hicolor theme, the AppStream metainfo and the documents.
#   cmake --install build --prefix /usr [--strip]
# lays out the tree that the Debian package (cmake/Package.cmake) carries.
include(GNUInstallDirs)

# The application's id: name of the desktop entry, the icon and the metainfo file.
set(PELMORA_APP_ID com.strovane.pelmora)
# Date of the release that project(VERSION) names, for the metainfo's release list.
set(PELMORA_RELEASE_DATE 2026-12-10)

set(_pkg ${PROJECT_SOURCE_DIR}/packaging)
set(_out ${PROJECT_BINARY_DIR}/packaging)

install(TARGETS pelmora pelmora-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

configure_file(${_pkg}/pelmora.desktop.in ${_out}/${PELMORA_APP_ID}.desktop @ONLY)
install(FILES ${_out}/${PELMORA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

configure_file(${_pkg}/pelmora.metainfo.xml.in ${_out}/${PELMORA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${_out}/${PELMORA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon's pictures are drawn by the picture generator (resources/tools/regenerate.sh).
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${_pkg}/icons/pelmora-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${PELMORA_APP_ID}.png)
endforeach()
install(FILES ${_pkg}/icons/pelmora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${PELMORA_APP_ID}.svg)

# Documents. The icon font built into the console is Debian's Font Awesome (resources/):
# its notice and licence text go along with the console's own.
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE ${_pkg}/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/sim/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME README.simulator.md)
set(_font_copyright /usr/share/doc/fonts-font-awesome/copyright)
if(EXISTS ${_font_copyright})
  install(FILES ${_font_copyright} DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright.font-awesome)
else()
  message(WARNING "${_font_copyright} is missing: the installed documents lack the icon font's licence")
endif()
