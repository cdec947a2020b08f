# What `cmake --install` puts where (GNUInstallDirs), and the .deb CPack makes of it.
include(GNUInstallDirs)

install(TARGETS tq370 tq370ctl tqr480-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(linux ${CMAKE_SOURCE_DIR}/resources/linux)
install(FILES ${linux}/tq370.desktop ${linux}/tq370-demo.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${linux}/tq370.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME io.github.tq370.TQ370.metainfo.xml)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/icon/hicolor/${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME tq370.png)
endforeach()
# udev reads rules from <prefix>/lib/udev/rules.d (not the multiarch library folder).
install(FILES ${linux}/70-tq370.rules DESTINATION lib/udev/rules.d)
install(FILES ${linux}/tq370ctl.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tq370ctl)
# The programs read this to know that they are an installed copy: presets and settings go
# to ~/.local/share, and an update is only announced (the package manager owns the files).
file(WRITE ${CMAKE_BINARY_DIR}/installed
     "tq370 is installed here: presets and settings live in ~/.local/share/<program>/.\n")
install(FILES ${CMAKE_BINARY_DIR}/installed DESTINATION ${CMAKE_INSTALL_DATADIR}/tq370)

# Man pages, from each program's --help and --version.
find_program(HELP2MAN help2man)
if(HELP2MAN)
  set(pages "")
  set(name_tq370 "tune a TQ-R480 car-audio signal processor live")
  set(name_tq370ctl "command-line tool for the TQ-R480 processor and its files")
  set(name_tqr480-sim "a simulated TQ-R480 processor")
  foreach(program tq370 tq370ctl tqr480-sim)
    set(page ${CMAKE_BINARY_DIR}/man/${program}.1.gz)
    add_custom_command(OUTPUT ${page}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
              ${HELP2MAN} --no-info --no-discard-stderr --section 1
              --name ${name_${program}} --output ${CMAKE_BINARY_DIR}/man/${program}.1
              $<TARGET_FILE:${program}>
      COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/man/${program}.1
      DEPENDS ${program}
      COMMENT "Man page of ${program}")
    list(APPEND pages ${page})
  endforeach()
  add_custom_target(man_pages ALL DEPENDS ${pages})
  install(FILES ${pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(STATUS "help2man not found: no man pages")
endif()

# The package's own documents.
set(changelog ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND gzip -9nc ${linux}/debian/changelog > ${changelog}
  DEPENDS ${linux}/debian/changelog)
add_custom_target(package_changelog ALL DEPENDS ${changelog})
install(FILES ${changelog} ${linux}/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tq370)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tq370)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "TQ370 developers <tq370@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tune a TQ-R480 car-audio signal processor live")
set(CPACK_PACKAGE_DESCRIPTION
    "TQ370 adjusts the twelve output channels of a TQ-R480 (volume, phase, mute,\ndelay, speaker position, crossovers, limiter, 31-band equaliser), its input\nmixing, modes, presets and WiFi module over USB, serial, Bluetooth or WiFi.\nIt includes a command-line tool and a simulated processor.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei, fonts-liberation2, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/resources/linux/debian/postinst
                                       ${CMAKE_SOURCE_DIR}/resources/linux/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
