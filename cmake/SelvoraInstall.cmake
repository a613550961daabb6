# cmake --install and the Debian package (scripts/selvora.sh package).
#
# Linux: the programs live together in one program folder,
# <prefix>/lib/<multiarch>/selvora (torven, about, selvora-rapor, selvora-import, the
# SQLite extension selvora-tr.so and kurulum.txt, the marker that makes the
# programs keep their data in the user's data folder); <prefix>/bin holds
# links to the three a user starts. The desktop entry, the icon, the
# AppStream metadata, the manual pages and the copyright file go under
# <prefix>/share. Windows: everything in <prefix>/bin, beside each other.
include(GNUInstallDirs)

if(WIN32)
    set(SELVORA_PROGRAM_DIR ${CMAKE_INSTALL_BINDIR})
else()
    # A private folder of arch-dependent files, not one the dynamic linker
    # searches: the extension in it is loaded by name, never linked.
    set(SELVORA_PROGRAM_DIR ${CMAKE_INSTALL_LIBDIR}/selvora)
endif()

install(TARGETS torven about selvora-rapor selvora-import RUNTIME DESTINATION ${SELVORA_PROGRAM_DIR})
install(TARGETS selvora-tr LIBRARY DESTINATION ${SELVORA_PROGRAM_DIR})
install(FILES packaging/kurulum.txt DESTINATION ${SELVORA_PROGRAM_DIR})
if(WIN32)
    install(FILES LICENSE DESTINATION ${SELVORA_PROGRAM_DIR} RENAME LICENSE.txt)
endif()

if(NOT WIN32)
    foreach(program torven selvora-rapor selvora-import)
        install(CODE "
            set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
            file(MAKE_DIRECTORY \"\${bin}\")
            file(CREATE_LINK \"../${SELVORA_PROGRAM_DIR}/${program}\" \"\${bin}/${program}\" SYMBOLIC)
            message(STATUS \"Installing: \${bin}/${program} -> ../${SELVORA_PROGRAM_DIR}/${program}\")")
    endforeach()

    install(FILES packaging/org.selvora.Selvora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES packaging/org.selvora.Selvora.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES packaging/icons/selvora.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
            RENAME org.selvora.Selvora.svg)
    foreach(size 16 24 32 48 64 128 256)
        install(FILES packaging/icons/selvora-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME org.selvora.Selvora.png)
    endforeach()

    # Debian wants manual pages and the changelog compressed with gzip -9n.
    find_program(GZIP_PROGRAM gzip REQUIRED)
    set(compressed)
    foreach(source man/torven.1 man/selvora-rapor.1 man/selvora-import.1 changelog)
        get_filename_component(name ${source} NAME)
        set(output ${CMAKE_BINARY_DIR}/packaging/${name}.gz)
        add_custom_command(OUTPUT ${output}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
            COMMAND ${GZIP_PROGRAM} -9n -c ${PROJECT_SOURCE_DIR}/packaging/${source} > ${output}
            DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${source} VERBATIM)
        list(APPEND compressed ${output})
    endforeach()
    add_custom_target(selvora_packaging_files ALL DEPENDS ${compressed})
    install(FILES ${CMAKE_BINARY_DIR}/packaging/torven.1.gz ${CMAKE_BINARY_DIR}/packaging/selvora-rapor.1.gz
                  ${CMAKE_BINARY_DIR}/packaging/selvora-import.1.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz packaging/copyright
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/selvora)
endif()

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME selvora)
set(CPACK_PACKAGE_VERSION 1.4.0)
set(CPACK_PACKAGE_CONTACT "Selvora Geliştiricileri <gelistirici@selvora.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://selvora.org/")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "cheque tracking for a small business (Turkish)
Selvora keeps the cheques a firm writes out and the cheques it receives from
its customers: due dates, amounts, banks, counterparties and statuses, with
due-date warnings, printable reports, export to office formats and backups
taken when the program closes. The interface is Turkish.
.
The package holds the program (torven), selvora-rapor for reports from the
command line and scheduled jobs, selvora-import for the tables of the older
Windows program, and selvora-tr.so, an SQLite extension with the program's
Turkish collation for the sqlite3 tool.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11 platform plug-in and the metric twin of Arial the layouts name.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "sqlite3")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_STRIP_FILES ON)
include(CPack)
