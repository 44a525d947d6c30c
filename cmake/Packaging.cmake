# `cmake --build BUILD --target package` makes a Debian package of the installed files under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME selvara-card-viewer)
set(CPACK_PACKAGE_VENDOR Selvara)
set(CPACK_PACKAGE_CONTACT "Selvara maintainers <maintainers@users.noreply.c-seed-4cce7756.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "browse a card set as a gallery")
set(CPACK_PACKAGE_DESCRIPTION
    "Shows the cards of a card set folder as a gallery of thumbnails in a web view, each card\n\
enlarged beside the mouse, after a small dialog that asks for the sizes.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Folders open to every user whatever the builder's umask, which would otherwise shut them out of
# the program's library folder and make the package differ from builder to builder.
set(CPACK_PRE_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/package_folders.cmake")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The libraries the program links come from dpkg-shlibdeps; the web engine's helper processes
# are loaded by the library at run time and come with its package.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
# Only the program's own files: the test and benchmark targets install nothing.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};ALL;/")
include(CPack)
