# The site's offline part: the web app manifest and its icons, and a service worker that keeps
# every file of the site in a cache of its own build, so that the page can be installed and
# runs without the network once it has been opened. Included by this folder's CMakeLists.txt
# once the target tavori_web_site (which puts the page into TAVORI_WEB_SITE_DIR) exists.
#
# The icons are the committed images of data/icons/draw_icon.py, as the desktop's are: the
# script takes half a minute for the 512 px ones, which no fresh build should wait for.
set(tavori_offline_dir ${CMAKE_CURRENT_LIST_DIR}/offline)

set(tavori_offline_outputs "")
foreach(icon tavori-192.png tavori-512.png tavori-maskable-512.png)
  set(output ${TAVORI_WEB_SITE_DIR}/icons/${icon})
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/data/icons/${icon} ${output}
    DEPENDS ${PROJECT_SOURCE_DIR}/data/icons/${icon} VERBATIM)
  list(APPEND tavori_offline_outputs ${output})
endforeach()
add_custom_command(OUTPUT ${TAVORI_WEB_SITE_DIR}/manifest.webmanifest
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${tavori_offline_dir}/manifest.webmanifest
          ${TAVORI_WEB_SITE_DIR}/manifest.webmanifest
  DEPENDS ${tavori_offline_dir}/manifest.webmanifest VERBATIM)
list(APPEND tavori_offline_outputs ${TAVORI_WEB_SITE_DIR}/manifest.webmanifest)

# sw.js lists the files in the site when it is written and carries a hash of their names and
# contents, so any change to the site gives a new worker, which fills a new cache and deletes the
# old one. It runs on every build, after everything else has put its files into the site, and
# rewrites sw.js only when that list or hash changed.
add_custom_target(tavori_web_offline ALL
  COMMAND ${CMAKE_COMMAND} -DSITE=${TAVORI_WEB_SITE_DIR} -DTEMPLATE=${tavori_offline_dir}/sw.js.in
          -P ${tavori_offline_dir}/write-sw.cmake
  DEPENDS ${tavori_offline_outputs} ${tavori_offline_dir}/sw.js.in ${tavori_offline_dir}/write-sw.cmake
  COMMENT "Service worker for the files in ${TAVORI_WEB_SITE_DIR}"
  VERBATIM)
# The page and data (tavori_web_site) and the core's module (tavori_web) are in the site first.
add_dependencies(tavori_web_offline tavori_web_site)
if(TARGET tavori_web)
  add_dependencies(tavori_web_offline tavori_web)
endif()

# The site as a zip for any static host (scripts/package builds this target): one folder,
# tavori-<version>-web/, holding the site's files as they are served.
find_program(TAVORI_PYTHON3 python3 REQUIRED)
set(TAVORI_WEB_ZIP ${CMAKE_BINARY_DIR}/tavori-${PROJECT_VERSION}-web.zip)
add_custom_target(tavori_web_zip
  COMMAND ${TAVORI_PYTHON3} ${tavori_offline_dir}/zip-site.py ${TAVORI_WEB_SITE_DIR} ${TAVORI_WEB_ZIP}
          tavori-${PROJECT_VERSION}-web
  COMMENT "The site as ${TAVORI_WEB_ZIP}"
  VERBATIM)
add_dependencies(tavori_web_zip tavori_web_offline)

# The zip's check, wherever the web build registers tests (add_test does nothing in a build
# without enable_testing).
add_test(NAME web_package
  COMMAND ${PROJECT_SOURCE_DIR}/tests/packaging/check-web-package ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR})
