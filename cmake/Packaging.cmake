# What `cmake --install` adds besides the programs (the desktop entry, the
# icons, the manual pages, the bash completion), and the Debian package
# `cpack -G DEB` builds from it.
include(GNUInstallDirs)

install(FILES ${CMAKE_SOURCE_DIR}/resources/kr7controller.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/kr7controller.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/kr7controller-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME kr7controller.png)
endforeach()

set(KR7_MAN_PAGES KR7Controller.1 kr7-emulator.1 kr7ctl.1)
# Manual pages are installed compressed, as Debian keeps them.
set(KR7_MAN_GZ)
foreach(page ${KR7_MAN_PAGES})
    set(source ${CMAKE_SOURCE_DIR}/resources/man/${page})
    set(packed ${CMAKE_BINARY_DIR}/man/${page}.gz)
    add_custom_command(OUTPUT ${packed}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
                       COMMAND gzip -9 -n -c ${source} > ${packed}
                       DEPENDS ${source} VERBATIM)
    list(APPEND KR7_MAN_GZ ${packed})
endforeach()
add_custom_target(ManPages ALL DEPENDS ${KR7_MAN_GZ})
install(FILES ${KR7_MAN_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Bash completion of kr7ctl's actions, options and port names.
install(FILES ${CMAKE_SOURCE_DIR}/resources/completion/kr7ctl.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME kr7ctl)

# Debian looks for the licence as the package's copyright file.
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kr7controller RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kr7controller)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "controller of the KR-7 character display")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop program that drives the KR-7, a write-only character display on a serial port:
a scrolling ticker, paged text, logos made from pictures, glyph set editing and upload.
Comes with kr7-emulator, a stand-in for the display on a pseudo-terminal.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "KR7Controller maintainers <kr7controller@localhost>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The library packages come from the programs' own links, to which the
# TIFF and WebP readers, Qt plugins that nothing links, are added; the
# dialogs' Polish texts are Qt's, packaged apart.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
