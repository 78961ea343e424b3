# What an installation holds, and the Debian package of it (make package).
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(QXT_DATA ${PROJECT_SOURCE_DIR}/data)
install(FILES ${QXT_DATA}/qxt7130-adj.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# AppStream wants the file named after the component's id.
install(FILES ${QXT_DATA}/com.tavo.qxt7130_adj.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${QXT_DATA}/qxt7130-adj.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${QXT_DATA}/icons/${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME qxt7130-adj.png)
endforeach()
install(FILES ${QXT_DATA}/60-qxt7130-adj.rules DESTINATION lib/udev/rules.d)

# Manual pages and the changelog, compressed as Debian keeps them.
set(gzipped)
foreach(page qxt7130-adj.1 qzr700-sim.1)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.gz
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
                     COMMAND gzip -9nc ${QXT_DATA}/man/${page} > ${CMAKE_BINARY_DIR}/man/${page}.gz
                     DEPENDS ${QXT_DATA}/man/${page})
  list(APPEND gzipped ${CMAKE_BINARY_DIR}/man/${page}.gz)
  install(FILES ${CMAKE_BINARY_DIR}/man/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
                   COMMAND gzip -9nc ${QXT_DATA}/changelog > ${CMAKE_BINARY_DIR}/changelog.gz
                   DEPENDS ${QXT_DATA}/changelog)
add_custom_target(compressed_docs ALL DEPENDS ${gzipped} ${CMAKE_BINARY_DIR}/changelog.gz)
set(QXT_DOC ${CMAKE_INSTALL_DATADIR}/doc/qxt7130-adj)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz ${QXT_DATA}/copyright DESTINATION ${QXT_DOC})
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${QXT_DOC})
install(FILES ${PROJECT_SOURCE_DIR}/docs/screenshot.png ${PROJECT_SOURCE_DIR}/docs/sweep-plot.png
        DESTINATION ${QXT_DOC}/docs)

# Stripped as Debian strips its own packages: the compiler's .comment and .note sections go too.
# (Install rules run in the order they are declared, so the programs are in place by now.)
install(CODE [[
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(program qxt7130-adj qzr700-sim)
      execute_process(COMMAND strip --remove-section=.comment --remove-section=.note
                              "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin/${program}" COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()
]])

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qxt7130-adj)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tavo Inc.")
set(CPACK_PACKAGE_CONTACT "Tavo Inc. <service@tavo.example.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "service-bench adjustment of the QZ-R700 two-way radio")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "QX-T7130 ADJ reads the memory of a QZ-R700 radio through its cloning cable,
shows its adjustment items in a keyboard-driven console, sends every changed
value to the radio at once, and runs the band-pass sweep, the level bisection
and the RSSI calibration. Every session goes into a service record with a
printable report. The package also holds qzr700-sim, a simulated radio for
training and for trying the program.")
# The window needs Qt's platform plugins, which no library of the program links. The libraries
# it links (Qt, SQLite, nettle, liblxi) come in through dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Qt's own texts (the standard buttons) in the language of the window.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tavo.example.com/qxt7130-adj")
include(CPack)
