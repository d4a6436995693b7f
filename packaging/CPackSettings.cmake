# The Debian package: `cpack -G DEB` in a Release build makes vantrel_<version>_<arch>.deb
# from the install rules. The libraries the programs link are found by dpkg-shlibdeps;
# what they load at run time (Qt's platform plugins, Qt's translations, the chart font) is
# named here.

# The maintainer is the maker named in the product information file.
file(STRINGS ${PROJECT_SOURCE_DIR}/resources/mvdl4.ini _product_lines)
set(_section "")
set(VANTREL_MAKER "")
foreach(_line IN LISTS _product_lines)
  if(_line MATCHES "^\\[(.*)\\]")
    set(_section "${CMAKE_MATCH_1}")
  elseif(_section STREQUAL "Manufacturer" AND _line MATCHES "^Name=(.*)$")
    string(STRIP "${CMAKE_MATCH_1}" VANTREL_MAKER)
  endif()
endforeach()
if(VANTREL_MAKER STREQUAL "")
  set(VANTREL_MAKER "Vantrel")
endif()

set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "${VANTREL_MAKER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${VANTREL_MAKER} <support@vantrel-messtechnik.de>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "evaluation program for hand-held hydraulic measuring instruments")
set(CPACK_PACKAGE_DESCRIPTION
    "Vantrel reads the stored measurements out of hand-held hydraulic measuring instruments over a serial port, records live values and lets the user evaluate, annotate, print and export the measurements.\n\nThe package holds the window program vantrel, the command-line tool vantrel-cli and the simulated instrument vantrel-sim.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.vantrel-messtechnik.de/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
include(CPack)
