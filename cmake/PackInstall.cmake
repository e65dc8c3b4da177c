# What `cmake --install` puts where, and the packages CPack makes of it.
#
# The install set is listed here in full, in the one component "pack", for
# the programs of PACK_PROGRAMS (cmake/PackPrograms.cmake); the test
# programs, test DLLs and helper libraries are never part of it.
#
#   native  PREFIX/bin/           each program of PACK_PROGRAMS
#           PREFIX/share/man/man6/  one page each (splines and splines2
#                                 point to the curves page they share)
#           PREFIX/share/applications/  a desktop entry each
#           PREFIX/share/icons/hicolor/SIZE/apps/velkrant.png
#           CPack: a Debian package, velkrant-pack_VERSION_ARCH.deb
#   win32   the five exes, ptc.dll and README.txt (CRLF line ends), side
#           by side; CPack: velkrant-pack-VERSION-win32.zip with that
#           folder in it
include(GNUInstallDirs)

set(PACK_ICON_SIZES 16 32 48 64 128 256)
set(pack_data ${CMAKE_SOURCE_DIR}/packaging)

if(PACK_WIN32)
  # The import library of ptc.dll is for building only.
  install(TARGETS ${PACK_PROGRAMS} ptc
    RUNTIME DESTINATION . COMPONENT pack
    ARCHIVE DESTINATION lib COMPONENT pack_devel EXCLUDE_FROM_ALL)
  configure_file(${pack_data}/README-win32.txt.in ${CMAKE_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION . COMPONENT pack)
else()
  install(TARGETS ${PACK_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT pack)
  foreach(page ${PACK_PROGRAMS})
    install(FILES ${CMAKE_SOURCE_DIR}/docs/man/${page}.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT pack)
  endforeach()
  foreach(program ${PACK_PROGRAMS})
    install(FILES ${pack_data}/desktop/${program}.desktop
      DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT pack)
  endforeach()
  foreach(size ${PACK_ICON_SIZES})
    install(FILES ${pack_data}/icons/velkrant-${size}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
      RENAME velkrant.png COMPONENT pack)
  endforeach()
endif()

set(CPACK_PACKAGE_NAME velkrant-pack)
set(CPACK_PACKAGE_VENDOR "Velkrant pack team")
set(CPACK_PACKAGE_CONTACT "Velkrant pack team <pack@velkrant.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "four real-time software graphics demos and a credits printer")
set(CPACK_PACKAGE_DESCRIPTION [=[fennick draws metaball iso-lines rotating in 3D in a 320x240 window;
curves, splines and splines2 draw antialiased arcs over a checkerboard at
320x200, fullscreen or in a window; brisklet prints the credits on the
console. Every frame is computed from the clock alone. The graphics
programs also write any frame as a PNG and record videos through ffmpeg.]=])
# Only the pack's own component goes into a package.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};pack;/")
set(CPACK_STRIP_FILES ON)

if(PACK_WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win32)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/PackZipRecompress.cmake)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # The shared libraries the programs link (SDL2, libpng, the C and C++
  # runtimes) become Depends with the versions dpkg-shlibdeps finds, under
  # the package names of the release the package is built on.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # Only --record runs ffmpeg; the programs themselves need nothing of it.
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS ffmpeg)
endif()

include(CPack)
