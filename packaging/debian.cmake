# Installing as a desktop application: the program, its data files, a menu
# entry with its icons, the software-centre description, and what Debian asks
# of every package (copyright, changelog, manual page). The program reads its
# data files from the current directory, and started from the menu it finds
# none there and uses its built-in copies; the installed files are for the
# user to copy beside their work. 'cpack -G DEB' (or 'make package') turns
# this into a package; tools/check-package.sh checks it.
include(GNUInstallDirs)
set(korindo_packaging ${CMAKE_SOURCE_DIR}/packaging)
set(korindo_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/korindo)

# Debian wants the manual page and the changelog compressed, and the same
# bytes on every build (no name or time stamp in the header).
set(korindo_gzipped)
foreach(pair "korindo.1|korindo.1" "korindo.ru.1|ru/korindo.1" "changelog|changelog.Debian")
    string(REPLACE "|" ";" pair ${pair})
    list(GET pair 0 source)
    list(GET pair 1 target)
    set(output ${CMAKE_BINARY_DIR}/packaging/${target}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging/ru
        COMMAND ${CMAKE_COMMAND} -E copy ${korindo_packaging}/${source} ${CMAKE_BINARY_DIR}/packaging/${target}
        COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/packaging/${target}
        DEPENDS ${korindo_packaging}/${source}
        VERBATIM
    )
    list(APPEND korindo_gzipped ${output})
endforeach()
add_custom_target(korindo_package_docs ALL DEPENDS ${korindo_gzipped})

install(TARGETS korindo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Stripping leaves the compilers' names in the .comment section; Debian's own
# packages drop it.
install(CODE "execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
    \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/korindo)")
install(FILES ${korindo_data_paths} DESTINATION ${CMAKE_INSTALL_DATADIR}/korindo)
install(FILES ${korindo_packaging}/korindo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${korindo_packaging}/korindo.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${korindo_packaging}/icons/korindo-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME korindo.png)
endforeach()
install(FILES ${korindo_packaging}/icons/korindo.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_BINARY_DIR}/packaging/korindo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/packaging/ru/korindo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/ru/man1)
install(FILES ${korindo_packaging}/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz
    DESTINATION ${korindo_doc_dir})
install(FILES ${korindo_packaging}/lintian-overrides
    DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME korindo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korindo)
set(CPACK_PACKAGE_VENDOR "Кориндо developers")
set(CPACK_PACKAGE_CONTACT "Кориндо developers <team@korindo.example>")
# Package descriptions are read in English, and translated from it; the
# software centres show the Russian one of the metainfo file.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "calculator for a home-built gas-discharge lamp circuit")
set(CPACK_PACKAGE_DESCRIPTION [=[
Кориндо (korindo) computes, for a gas-discharge lamp fed from the mains
through a choke, with an ignition capacitor across the lamp: the inductance
of the choke from voltmeter and ammeter readings, the range of ignition
capacitances, the choke and capacitor voltages at ignition, and the
capacitor that compensates the reactive power of the working lamp.

Its interface is in Russian.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Packaged apart from the program's own version, so its changelog is
# changelog.Debian and the package has a revision of its own.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Кориндо developers <team@korindo.example>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://korindo.example/")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The libraries are found by shlibdeps; the font is built into the program.
# Qt's own Russian texts come from Qt's translations, with a built-in copy
# for where they are missing.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-translations-l10n)
include(CPack)
