# `cpack` in the build folder (or `./build.sh package`) makes a Debian package
# of what `cmake --install` puts under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME drawmentor)
set(CPACK_PACKAGE_VENDOR DrawMentor)
set(CPACK_PACKAGE_CONTACT "DrawMentor maintainers <maintainers@drawmentor.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "video poker trainer with an exact strategy engine")
# Debian shows the extended description as written, in a terminal: lines under
# 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "DrawMentor deals video poker and teaches its best play: behind every
hand an exact strategy engine counts every draw of all 32 holds, so the
trainer can hint the best hold, warn before a costly one and show what
best play would have won.

It offers 34 games with their common paytables, the exact return of any
paytable, statistics and charts of your play against perfect play, and
the command-line tool drawmentor-cli.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

# drawmentor_<version>_<arch>.deb
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A trainer that teaches best play, with an analysis tool for the command line:
# Debian's "games" section would put both programs in /usr/games, off the
# PATH of root and of many shells.
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# The libraries the programs link decide the dependencies (dpkg-shlibdeps;
# Qt's window-system plugins come with its GUI library). The font the texts
# are set in is found by name at run time, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-dejavu-core)

# Debian's documentation folder holds the copyright file and a compressed
# changelog, and manual pages are installed compressed. gzip -n keeps the name
# and time out of the gzip header, so the same sources make the same package.
find_program(DRAWMENTOR_GZIP gzip REQUIRED)
set(DRAWMENTOR_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
set(DRAWMENTOR_DOC_BUILD_DIR ${CMAKE_BINARY_DIR}/doc)

add_custom_target(
    changelog ALL
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${DRAWMENTOR_DOC_BUILD_DIR}/changelog -DNAME=${CPACK_PACKAGE_NAME}
            -DVERSION=${PROJECT_VERSION} "-DCONTACT=${CPACK_PACKAGE_CONTACT}" -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
            -DGZIP=${DRAWMENTOR_GZIP} -P ${CMAKE_SOURCE_DIR}/packaging/WriteChangelog.cmake
    BYPRODUCTS ${DRAWMENTOR_DOC_BUILD_DIR}/changelog ${DRAWMENTOR_DOC_BUILD_DIR}/changelog.gz
    VERBATIM)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${DRAWMENTOR_DOC_BUILD_DIR}/changelog.gz
        DESTINATION ${DRAWMENTOR_INSTALL_DOCDIR})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME ${CPACK_PACKAGE_NAME})

set(DRAWMENTOR_MAN_PAGES)
foreach(page drawmentor.6 drawmentor-cli.6)
    set(source ${CMAKE_SOURCE_DIR}/resources/man/${page})
    set(copy ${DRAWMENTOR_DOC_BUILD_DIR}/man/${page})
    add_custom_command(OUTPUT ${copy}.gz
                       COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
                       COMMAND ${DRAWMENTOR_GZIP} -9nf ${copy}
                       DEPENDS ${source}
                       VERBATIM)
    list(APPEND DRAWMENTOR_MAN_PAGES ${copy}.gz)
endforeach()
add_custom_target(man_pages ALL DEPENDS ${DRAWMENTOR_MAN_PAGES})
install(FILES ${DRAWMENTOR_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

include(CPack)
