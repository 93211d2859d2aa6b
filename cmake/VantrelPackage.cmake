# The Debian package: `make package` (cpack -G DEB) writes
# vantrel_<version>_amd64.deb with the dependencies that dpkg-shlibdeps
# derives from the installed program and modules.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR Kestrane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "hex editor for files of up to 2 GiB")
set(CPACK_PACKAGE_DESCRIPTION "Vantrel shows any file as rows of offsets, hexadecimal pairs and characters
and edits it in place, with undo and redo, find and replace, typed values,
bookmarks, a binary-safe clipboard and modules for checksums, conversions,
data types, export and import. vantrel-cli runs the same engines and modules
from the command line, without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kestrane <vantrel@kestrane.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.kestrane.example/vantrel/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The platform library is private to the package; dpkg-shlibdeps finds it
# through the programs' $ORIGIN run path in the staging folder.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)
set(CPACK_STRIP_FILES ON)
include(CPack)
