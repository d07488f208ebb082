# Where everything goes under the install prefix. The program finds its
# pictures and help file in its own folder, lib/vordaforwin/; bin/vordaforwin
# is a link to it.
set(VORDA_APP_ID org.vordaforwin.VordaForWin)
set(VORDA_PROGRAM_DIR lib/vordaforwin)

# On Windows: the programs side by side with the pictures and the help file
# the main window reads from its own folder, the README and the LICENSE,
# packed by scripts/package-windows as vordaforwin-<version>-win64.zip (or,
# without the windows, vorda-match-<version>-win64.zip).
if(WIN32)
  install(TARGETS vorda-match RUNTIME DESTINATION .)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
  if(VORDA_BUILD_UI)
    install(TARGETS VordaForWin vorda-designer RUNTIME DESTINATION .)
    install(FILES ${VORDA_ASSETS} DESTINATION .)
    set(CPACK_PACKAGE_NAME vordaforwin)
  else()
    set(CPACK_PACKAGE_NAME vorda-match)
  endif()
  set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-win64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  set(CPACK_STRIP_FILES ON)
  include(CPack)
  return()
endif()

install(TARGETS vorda-match RUNTIME DESTINATION bin)

if(VORDA_BUILD_UI)
  install(TARGETS VordaForWin vorda-designer RUNTIME DESTINATION ${VORDA_PROGRAM_DIR})
  install(FILES ${VORDA_ASSETS} DESTINATION ${VORDA_PROGRAM_DIR})
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-links)
  file(CREATE_LINK ../${VORDA_PROGRAM_DIR}/VordaForWin ${CMAKE_BINARY_DIR}/install-links/vordaforwin
       SYMBOLIC)
  file(CREATE_LINK ../${VORDA_PROGRAM_DIR}/vorda-designer
       ${CMAKE_BINARY_DIR}/install-links/vorda-designer SYMBOLIC)
  install(FILES ${CMAKE_BINARY_DIR}/install-links/vordaforwin
                ${CMAKE_BINARY_DIR}/install-links/vorda-designer DESTINATION bin)

  set(linux_dir ${PROJECT_SOURCE_DIR}/assets/linux)
  install(FILES ${linux_dir}/${VORDA_APP_ID}.desktop ${linux_dir}/${VORDA_APP_ID}.Designer.desktop
          DESTINATION share/applications)
  install(FILES ${linux_dir}/${VORDA_APP_ID}.metainfo.xml
                ${linux_dir}/${VORDA_APP_ID}.Designer.metainfo.xml DESTINATION share/metainfo)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/vordaforwin.svg
          DESTINATION share/icons/hicolor/scalable/apps RENAME ${VORDA_APP_ID}.svg)
  foreach(size 16 24 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/hicolor/${size}x${size}/${VORDA_APP_ID}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()

install(FILES ${PROJECT_SOURCE_DIR}/assets/linux/vorda-match.1
              ${PROJECT_SOURCE_DIR}/assets/linux/vorda-designer.1 DESTINATION share/man/man1)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION share/doc/vordaforwin)

# The Debian package: scripts/package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vordaforwin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The VordaForWin developers")
set(CPACK_PACKAGE_CONTACT "The VordaForWin developers <maintainers@vordaforwin.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "L-section impedance matching calculator")
set(CPACK_PACKAGE_DESCRIPTION
    "VordaForWin computes the two reactive components of an L-section network\n\
that matches a load impedance R + jX to a normalizing resistance (a\n\
transmission line or a source). It shows the Smith-chart region of the load\n\
with a coloured region diagram, the component reactances normalized and in\n\
ohms, and a schematic of the chosen section. vorda-match runs the same\n\
computation from the command line, with JSON output for scripts, real parts,\n\
losses, bandwidth, Touchstone loads and SPICE netlists. vorda-designer shows\n\
all eight types at once with a live Smith chart and frequency response.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
# kchmviewer shows the help (Okular does with its extra back-ends); xchm 1.35,
# on Debian 12, shows the help's pages as HTML source.
# fonts-symbola has the ground symbol (U+23DA) of vorda-match's schematics,
# which Debian 12's default fonts lack.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "kchmviewer | okular-extra-backends, xdg-utils, hardinfo, fonts-symbola")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vordaforwin.org/")
include(CPack)
