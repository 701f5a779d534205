# Install layout and packages. Linux: the executable and its data in one folder
# (lib/tavori), a command on the PATH, a desktop entry and its icon, packed as a .deb.
# Windows: tavori.exe and its data in the install root, packed as a zip and an NSIS installer.
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME tavori)
set(CPACK_PACKAGE_VENDOR "tavori")
# The project's own name and address, as its commits carry it.
set(CPACK_PACKAGE_CONTACT "tavori developers <maintainers@users.noreply.c-seed-862b5670.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Speed-reading trainer for Japanese readers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY tavori)
# The build keeps its debugging information; the packages do not need it.
set(CPACK_STRIP_FILES ON)

if(WIN32 AND TAVORI_BUILD_WIN32)
  # The program reads its files from its own folder and links its runtimes in, so the folder
  # is the whole program: the zip unpacks to it, the installer copies it.
  install(TARGETS tavori RUNTIME DESTINATION .)
  install(FILES ${TAVORI_DATA_FILES} DESTINATION .)
  install(FILES ${TAVORI_PASSAGE_FILES} DESTINATION passages)

  set(CPACK_GENERATOR "ZIP;NSIS")
  set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY tavori)
  set(CPACK_NSIS_DISPLAY_NAME "tavori (タボリで速読補助)")
  # The help document and the shortcut names are Japanese: an ANSI installer would store them
  # in the build machine's code page, so the installer is a Unicode one whatever makensis's
  # default.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    # The 64-bit build (the tests' stand-in where 32-bit Wine cannot run) gets a 64-bit
    # installer, so that its install and uninstall can run under 64-bit Wine.
    set(CPACK_NSIS_DEFINES "Target amd64-unicode")
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
  else()
    set(CPACK_NSIS_DEFINES "Unicode true")
  endif()
  # CPack keeps makensis's output only when it fails; this log names every file packed.
  set(CPACK_VERBATIM_VARIABLES ON)
  set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS "-V4 \"-O${CMAKE_BINARY_DIR}/nsis-build.log\"")
  set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/src/platform/win32/tavori.ico)
  set(CPACK_NSIS_MUI_UNIICON ${CMAKE_SOURCE_DIR}/src/platform/win32/tavori.ico)
  set(CPACK_NSIS_INSTALLED_ICON_NAME tavori.exe)
  # Start menu: the program under its window title, and the help document.
  set(CPACK_NSIS_MENU_LINKS
      tavori.exe "タボリで速読補助"
      "最初にお読みください.html" "最初にお読みください")
elseif(TAVORI_BUILD_QT)
  set(tavori_app_dir ${CMAKE_INSTALL_LIBDIR}/tavori)
  install(TARGETS tavori RUNTIME DESTINATION ${tavori_app_dir})
  install(FILES ${TAVORI_DATA_FILES} DESTINATION ${tavori_app_dir})
  install(FILES ${TAVORI_PASSAGE_FILES} DESTINATION ${tavori_app_dir}/passages)
  # The command on the PATH is a link; the program resolves it and finds its data beside
  # the real executable.
  install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(CREATE_LINK ../${tavori_app_dir}/tavori
         \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tavori\" SYMBOLIC)")
  install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/tavori.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  # The icon at each size the desktop's icon theme looks for; data/icons/draw_icon.py draws them.
  foreach(size 16 22 24 32 48 64 128 256)
    set(icon ${CMAKE_SOURCE_DIR}/data/icons/tavori-${size}.png)
    if(size EQUAL 256)
      set(icon ${CMAKE_SOURCE_DIR}/data/icons/tavori.png)
    endif()
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME tavori.png)
  endforeach()

  # What Debian asks of every package: the licence in machine-readable form, the changelog and
  # the manual page, the last two compressed as dpkg would (gzip -9n: no name, no time stamp, so
  # the same sources give the same package). The package is built by the project itself (a
  # native package in Debian's terms), so its changelog is changelog.gz.
  set(tavori_debian_dir ${CMAKE_SOURCE_DIR}/data/debian)
  set(tavori_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/tavori)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/debian)
  foreach(source changelog tavori.1)
    execute_process(COMMAND gzip -9n -c ${tavori_debian_dir}/${source}
                    OUTPUT_FILE ${CMAKE_BINARY_DIR}/debian/${source}.gz COMMAND_ERROR_IS_FATAL ANY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${tavori_debian_dir}/${source})
  endforeach()
  install(FILES ${tavori_debian_dir}/copyright ${CMAKE_BINARY_DIR}/debian/changelog.gz
          DESTINATION ${tavori_doc_dir})
  install(FILES ${CMAKE_BINARY_DIR}/debian/tavori.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

  # lintian finds no error and no warning in the .deb (the package_layout test runs it). Its
  # remaining notes are by design:
  # - package-contains-documentation-outside-usr-share-doc: w.txt and the help document lie
  #   beside the executable in lib/tavori because the program reads them from its own folder
  #   (w.txt is the reading text, not documentation).
  # - hardening-no-fortify-functions: the build fortifies (cmake/Hardening.cmake), but the
  #   program's text lives in standard containers and calls none of the C functions that
  #   fortification checks.
  # - binary-has-unneeded-section .comment: CPack strips with plain `strip`, which keeps the
  #   compiler's version note; it costs a few hundred bytes.
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION education)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # CPack puts the summary above these lines, indents them and marks the empty one with a dot.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "tavori (タボリで速読補助) trains fast reading of Japanese text. One window
with a Japanese menu bar offers four exercises: a text file paged on screen,
one to sixteen rows at a time, for a chosen display time; image practice, in
which a flashed sentence is picked out of three look-alikes; a maze whose
route passes three targets to find; and a puzzle of a sentence cut into tiles.

Reading texts and image-practice templates are plain files (Shift-JIS or
UTF-8) chosen from the menus; sample ones are included.")
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The X11 platform plugin and a Japanese gothic font are not seen by the library scan.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic | fonts-noto-cjk")
  # ヘルプ and the home page open through xdg-open; the program runs without it, so it is
  # recommended rather than required. Qt's translations put the file dialog in the user's
  # language.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
endif()

include(CPack)
