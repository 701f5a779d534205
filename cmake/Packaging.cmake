# Install layout and packages. Linux: the executable and its data in one folder
# (lib/tavori), a command on the PATH, a desktop entry and its icon, packed as a .deb.
# Windows: tavori.exe and its data in the install root, packed as a zip and an NSIS installer.
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME tavori)
set(CPACK_PACKAGE_VENDOR "tavori")
set(CPACK_PACKAGE_CONTACT "tavori developers <tavori@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Speed-reading trainer for Japanese readers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY tavori)

if(WIN32 AND TAVORI_BUILD_WIN32)
  # The program reads its files from its own folder and links its runtimes in, so the folder
  # is the whole program: the zip unpacks to it, the installer copies it.
  install(TARGETS tavori RUNTIME DESTINATION .)
  install(FILES ${TAVORI_DATA_FILES} DESTINATION .)

  set(CPACK_GENERATOR "ZIP;NSIS")
  # The build keeps its debugging information; the packages do not need it.
  set(CPACK_STRIP_FILES ON)
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
  # The command on the PATH is a link; the program resolves it and finds its data beside
  # the real executable.
  install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(CREATE_LINK ../${tavori_app_dir}/tavori
         \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tavori\" SYMBOLIC)")
  install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/tavori.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  if(EXISTS ${CMAKE_SOURCE_DIR}/data/icons/tavori.png)
    install(FILES ${CMAKE_SOURCE_DIR}/data/icons/tavori.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
  endif()

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION education)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The X11 platform plugin and a Japanese gothic font are not seen by the library scan.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic | fonts-noto-cjk")
endif()

include(CPack)
