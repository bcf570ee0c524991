# The Debian package, made by `cpack -G DEB` in a build configured by scripts/package.

include(GNUInstallDirs)

# Debian asks every package for its licence at a fixed place, in the machine-readable form,
# and for a compressed changelog; a native package (no Debian revision) names it changelog.gz.
set(debian_dir ${PROJECT_SOURCE_DIR}/data/debian)
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/sorvane)
install(FILES ${debian_dir}/copyright DESTINATION ${doc_dir})
find_program(GZIP_PROGRAM gzip)
if(GZIP_PROGRAM)
    add_custom_command(
        OUTPUT changelog.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${debian_dir}/changelog changelog
        COMMAND ${GZIP_PROGRAM} -9 -n -f changelog
        DEPENDS ${debian_dir}/changelog
        VERBATIM)
    add_custom_target(sorvane_changelog ALL DEPENDS changelog.gz)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${doc_dir})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sorvane)
set(CPACK_PACKAGE_VENDOR "The Sorvane authors")
set(CPACK_PACKAGE_CONTACT "Sorvane <packages@sorvane.app>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keeps the desktop clear by moving its items into an archive")
set(CPACK_PACKAGE_DESCRIPTION
"Sorvane lives in the system tray and keeps the Desktop folder clear. When
asked, or automatically once a day or once a week, it moves what lies on the
desktop into an archive folder, sorted into dated sub-folders.

It never deletes anything: every clean is recorded in a history, and the last
clean can be undone. Tagged files, recently changed ones, hidden items,
launchers and downloads in progress stay where they are.

The same program works from a terminal, without a display: preview, clean,
undo, history, status, and pinning files to the desktop.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_SORVANE_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/StripNotes.cmake)
# Directories made by the install step would otherwise follow the umask of whoever builds.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://sorvane.app)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# dpkg-shlibdeps finds the libraries the program links. Qt loads more at run time, which no
# scan of the binary can see: the platform plugins (libqt6gui6 only recommends them) and the
# SVG icon engine and image format that draw our icons (libqt6svg6).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
# The update check speaks HTTPS and needs the certificate authorities; it is off until the
# user turns it on, so they are recommended rather than required.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "ca-certificates")
# Stock GNOME has no system tray without this extension.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gnome-shell-extension-appindicator")

include(CPack)
