# The Debian package, built by `cpack -G DEB` from a Release build; the version is the project's.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qvx)
set(CPACK_PACKAGE_VENDOR "QVX-Projekt")
set(CPACK_PACKAGE_CONTACT "QVX-Projekt <qvx@qvx-korpus.de>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "build subcorpora from directories of text files")
set(CPACK_PACKAGE_DESCRIPTION
    "QVX is a desktop tool for corpus linguists. It searches directories of plain-text files \
with a regular expression or a plain substring, leaves out texts that contain an exclusion \
string, weights the hits by a third string and turns the texts found into a new subcorpus \
directory, a settings file for the concordancer AntConc or a tab-separated table. \
The program qvx-cli runs the same search and outputs from the command line. \
The interface is German; a small German sample corpus is installed in /usr/share/qvx/samples.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's German dialog texts are loaded at start; without them the file dialogs speak English.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-translations-l10n)
# Metric twins of Tahoma for the window's layout.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-wine)

include(CPack)
