# The Debian package, made by `cpack -G DEB` in the build directory: the
# program, its desktop files and its documentation, installed under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wavywall)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "the wavywall authors")
set(CPACK_PACKAGE_CONTACT "${WAVYWALL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "linearized subsonic flow over a wavy wall")
set(CPACK_PACKAGE_DESCRIPTION
    "A small teaching program for small-disturbance subsonic potential flow
over a wall shaped as a cosine wave. Set the free-stream Mach number and the
ratio of the wall's height to its wavelength, by typing or with scroll bars,
and the window draws the streamlines over two wavelengths of the wall,
incompressible in blue and compressible in red, and the pressure coefficient
along the wall. The main window speaks Turkish, its About window English.")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${WAVYWALL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${WAVYWALL_HOMEPAGE}")

# Debian wants programs without their symbol tables. The release build has no
# debugging information to keep, so there is no -dbgsym package.
set(CPACK_STRIP_FILES ON)
# Directories as Debian wants them, 0755, whatever the packager's umask: a
# group-writable umask would otherwise give 0775.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt reads the icon's SVG through its SVG image plugin, which dpkg-shlibdeps
# does not see, so the package that holds the plugin here is named by hand:
# libqt6svg6 on Debian 12, qt6-svg-plugins from Debian 13 on. The windows also
# need a font: DejaVu Sans stands in for the About window's Verdana.
set(svg_plugin "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}/imageformats/libqsvg.so")
execute_process(COMMAND dpkg-query --search "${svg_plugin}"
                OUTPUT_VARIABLE svg_plugin_owner RESULT_VARIABLE svg_plugin_unowned
                ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
if(svg_plugin_unowned)
    message(FATAL_ERROR "no Debian package holds Qt's SVG image plugin ${svg_plugin}; "
                        "scripts/install-deps.sh installs it")
endif()
string(REGEX REPLACE "[:,].*" "" WAVYWALL_SVG_PLUGIN_PACKAGE "${svg_plugin_owner}")
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${WAVYWALL_SVG_PLUGIN_PACKAGE}, fonts-dejavu-core")
# Qt's translations of its own texts (context menus, the error report's
# button). Without them the program works fully, with those texts in English,
# so they are recommended, which apt installs by default, and not required.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")

include(CPack)
