# `cpack -G DEB` in a build directory makes starveil_<version>_<arch>.deb from the install rules.
# dpkg-shlibdeps finds the Qt 6 and C++ runtime libraries the game links; the platform plugins a
# desktop start needs and the font the windows are designed in are named by hand.
set(STARVEIL_MAINTAINER "Starveil developers <starveil@invalid>"
    CACHE STRING "Maintainer of the .deb, as a name and an e-mail address")

# The changelog of a package made from its own source is Debian's changelog.gz, which its
# maintainer signs; its latest entry gives the version being built (CMakeLists.txt).
set(changelog ${PROJECT_SOURCE_DIR}/packaging/changelog)
configure_file(${changelog} ${PROJECT_BINARY_DIR}/doc/changelog @ONLY)
starveil_gzip(${PROJECT_BINARY_DIR}/doc/changelog)
install(FILES ${PROJECT_BINARY_DIR}/doc/changelog.gz DESTINATION ${STARVEIL_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME starveil)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "single-window arcade shooter against a marching formation")
set(CPACK_PACKAGE_CONTACT ${STARVEIL_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The install then sees /usr as its prefix, which the desktop entry's Exec line names.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX ${CPACK_PACKAGING_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${STARVEIL_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's X11 and Wayland platforms: the game runs natively on Wayland where the desktop scales X11.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-wayland, fonts-liberation")
# CPack puts the summary above this as the package's one-line synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Move a cannon along the bottom of a black playfield and fire one shot at a
time at a formation of 48 monsters. The formation marches sideways, steps
down each time it turns, speeds up as it thins out and as the level rises,
and drops rockets on you.")

set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebInstalledSize.cmake)

include(CPack)
