# `cpack` in the build folder (or `./build.sh package`) makes a Debian package
# of what `cmake --install` puts under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME drawmentor)
set(CPACK_PACKAGE_VENDOR DrawMentor)
set(CPACK_PACKAGE_CONTACT "DrawMentor maintainers <maintainers@drawmentor.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "video poker trainer with an exact strategy engine")
set(CPACK_PACKAGE_DESCRIPTION
    "DrawMentor deals video poker and teaches its best play: behind every hand an exact
strategy engine counts every draw of all 32 holds, so the trainer can hint the best
hold, warn before a costly one and show what best play would have won. It offers 34
games with their common paytables, the exact return of any paytable, statistics and
charts of your play against perfect play, and the command-line tool drawmentor-cli.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

# drawmentor_<version>_<arch>.deb
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The libraries the programs link decide the dependencies (dpkg-shlibdeps;
# Qt's window-system plugins come with its GUI library). The font the texts
# are set in is found by name at run time, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-dejavu-core)

include(CPack)
