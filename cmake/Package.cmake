# The Debian package of the tutor (`cpack -G DEB` in the build folder): /usr/bin/tavrin, its texts
# in /usr/share/tavrin, the menu entry, icons, AppStream data, manual page and Debian's documents.
# Its library dependencies are computed by dpkg-shlibdeps against Debian's Qt packages; the faces
# the tutor asks for by name are data, named here. The installer is not part of it.
include(GNUInstallDirs)

set(KZ_APP_ID org.tavrin.Tavrin)
set(KZ_LICENCE GPL-3.0-or-later)
set(KZ_DEBIAN_LICENCE GPL-3+)
set(KZ_HOMEPAGE https://tavrin.org)
set(KZ_CONTACT "Tavrin developers <developers@tavrin.org>")
set(KZ_COPYRIGHT "2026 Tavrin developers")
set(KZ_RELEASE_DATE 2026-12-08)
execute_process(COMMAND date -u -R -d ${KZ_RELEASE_DATE} OUTPUT_VARIABLE KZ_RELEASE_DATE_RFC2822
    OUTPUT_STRIP_TRAILING_WHITESPACE)

set(linux ${PROJECT_SOURCE_DIR}/resources/linux)
set(packaged ${CMAKE_BINARY_DIR}/package)
configure_file(${linux}/${KZ_APP_ID}.metainfo.xml.in ${packaged}/${KZ_APP_ID}.metainfo.xml @ONLY)
configure_file(${linux}/copyright.in ${packaged}/copyright @ONLY)
configure_file(${linux}/changelog.in ${packaged}/changelog @ONLY)
configure_file(${linux}/tavrin.1.in ${packaged}/tavrin.1 @ONLY)
# Debian wants both compressed, without a time stamp, so the package is the same at every build.
add_custom_command(
    OUTPUT ${packaged}/changelog.gz ${packaged}/tavrin.1.gz
    COMMAND gzip -9 -n -f -k ${packaged}/changelog ${packaged}/tavrin.1
    DEPENDS ${packaged}/changelog ${packaged}/tavrin.1
    VERBATIM)
add_custom_target(package-documents ALL DEPENDS ${packaged}/changelog.gz ${packaged}/tavrin.1.gz)

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(PROGRAMS $<TARGET_FILE:KZ> DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME tavrin)
# CPack strips nothing by itself.
install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded --remove-section=.comment
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tavrin\" COMMAND_ERROR_IS_FATAL ANY)")
# The sound and speech plugins, where the tutor in /usr/bin looks for them (lib/tavrin beside bin).
foreach(plugin IN ITEMS kzsound kzspeech)
    if(TARGET ${plugin})
        install(TARGETS ${plugin} LIBRARY DESTINATION lib/tavrin)
        install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded --remove-section=.comment
            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lib/tavrin/lib${plugin}.so\" COMMAND_ERROR_IS_FATAL ANY)")
    endif()
endforeach()
install(FILES resources/ReadMe.TXT resources/Arabic.TXT resources/English.TXT
    DESTINATION ${CMAKE_INSTALL_DATADIR}/tavrin)
install(FILES ${linux}/${KZ_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaged}/${KZ_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The PNGs are drawn from the SVG: rsvg-convert -w N -h N org.tavrin.Tavrin.svg -o org.tavrin.Tavrin-N.png
foreach(size IN ITEMS 16 24 32 48 64 128 256)
    install(FILES ${linux}/icons/${KZ_APP_ID}-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${KZ_APP_ID}.png)
endforeach()
install(FILES ${linux}/icons/${KZ_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${packaged}/tavrin.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaged}/copyright ${packaged}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavrin)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${KZ_CONTACT})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KZ_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-ui-core, fonts-dejavu-core")
# Qt's Arabic button texts (نعم / لا); xdg-open for the web pages the tutor opens; for the spoken
# mode, Qt's plugin for the speech service and the service with its Arabic and English voices.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-translations-l10n, xdg-utils, qt6-speech-speechd-plugin, speech-dispatcher-espeak-ng")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "touch typing tutor for Arabic and English")
set(CPACK_PACKAGE_DESCRIPTION "Tavrin teaches touch typing on a standard PC keyboard, in Arabic and in
English. Six graded lessons introduce the keys group by group, with coaching
messages, practice lines and tests judged against each learner's target speed
and accuracy. Drills for the keyboard, finger placement, the number pad and
custom texts, and a progress screen of each key's misses, sit beside them.

The interface is Arabic and reads right to left. Each key types the Arabic
(101) or US letter of its place, whatever layout the desktop has.")
include(CPack)

# The menu entry and the AppStream data as the software centres read them.
add_test(NAME package_metadata COMMAND sh -c "desktop-file-validate \"$1\" && appstreamcli validate --no-net \"$2\""
    sh ${linux}/${KZ_APP_ID}.desktop ${packaged}/${KZ_APP_ID}.metainfo.xml)
set_tests_properties(package_metadata PROPERTIES LABELS unit)
