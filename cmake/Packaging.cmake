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

# ---- Desktop integration: the AppStream entry, the changelog, hardened programs
set(KR7_MAINTAINER "KR7Controller maintainers <maintainers@kr7controller.example.org>"
    CACHE STRING "Maintainer of the Debian package (name <address>)")
set(KR7_HOMEPAGE "https://kr7controller.example.org" CACHE STRING "The program's home page, named in its AppStream entry")
set(KR7_APPSTREAM_ID "org.example.kr7controller.KR7Controller"
    CACHE STRING "The reverse-DNS name software centres know the program by")
set(KR7_SCREENSHOTS_URL "${KR7_HOMEPAGE}/docs" CACHE STRING "Where the pictures of docs/ are published")
configure_file(${CMAKE_SOURCE_DIR}/resources/kr7controller.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/kr7controller.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/kr7controller.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# A native package's changelog, compressed as Debian keeps it.
configure_file(${CMAKE_SOURCE_DIR}/resources/changelog.in ${CMAKE_BINARY_DIR}/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
                   COMMAND gzip -9 -n -c ${CMAKE_BINARY_DIR}/changelog > ${CMAKE_BINARY_DIR}/changelog.gz
                   DEPENDS ${CMAKE_BINARY_DIR}/changelog VERBATIM)
add_custom_target(Changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kr7controller)
# The compiler's version notes (.comment) are left out of the installed programs.
find_program(KR7_OBJCOPY NAMES objcopy)
if(KR7_OBJCOPY)
    install(CODE "
        foreach(program KR7Controller kr7-emulator kr7ctl)
            set(file \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\")
            if(EXISTS \"\${file}\")
                execute_process(COMMAND \"${KR7_OBJCOPY}\" --remove-section=.comment \"\${file}\")
            endif()
        endforeach()")
endif()
# ---- end of desktop integration

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kr7controller)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "controller of the KR-7 character display")
# Lines of the long description stay within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop program that drives the KR-7, a write-only character display on
a serial port: a scrolling ticker, paged text, logos made from pictures,
glyph set editing and upload. Comes with kr7ctl, the same commands from the
shell, and kr7-emulator, a stand-in for the display on a pseudo-terminal.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KR7_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The library packages (Qt, libjpeg, libpng, FreeType, fontconfig) come from the
# programs' own links, to which the TIFF and WebP readers, Qt plugins that
# nothing links, are added; a font to draw glyph sets from is recommended; the
# dialogs' Polish texts are Qt's, packaged apart.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
include(CPack)
