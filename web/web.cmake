# The browser build, included by app/CMakeLists.txt under emscripten: the
# program with the entry point of every build, linked into one script
# (velqor.js) that holds the WebAssembly, the built-in font included, so that
# the page works from any static host and from file://. Beside it go the page
# (index.html) and what makes it an installable app that opens offline: its
# manifest, its icons and its service worker (sw.js, made last, from the files).
add_executable(velqor ${PROJECT_SOURCE_DIR}/app/main.cpp)
target_link_libraries(velqor PRIVATE velqor_app vq_platform vq_backend_main)
set_target_properties(velqor PROPERTIES SUFFIX .js)
target_link_options(velqor PRIVATE
  -sSINGLE_FILE=1
  -sENVIRONMENT=web
  # A framebuffer as large as the browser window.
  -sALLOW_MEMORY_GROWTH=1
  -sFILESYSTEM=0
  # Nothing may live below address 0x10000, as on Windows: the layer takes a
  # name pointer below it for an atom (MAKEINTATOM), and wasm's static data
  # would otherwise start at 1024.
  -sGLOBAL_BASE=65536
  --js-library ${PROJECT_SOURCE_DIR}/web/library_velqor.js
  --pre-js ${PROJECT_SOURCE_DIR}/web/pre.js)

# The page's files, at the top of the build tree where velqor.js lands; the
# service worker caches them all.
set(VELQOR_WEB_SITE ${PROJECT_BINARY_DIR})
set(VELQOR_WEB_FILES index.html velqor.js manifest.webmanifest icon.svg icon-192.png icon-512.png)
list(JOIN VELQOR_WEB_FILES " " files)
include(${PROJECT_SOURCE_DIR}/cmake/icons.cmake)
velqor_web_icons(velqor_web_icons ${VELQOR_WEB_SITE})
add_dependencies(velqor velqor_web_icons)
add_custom_command(TARGET velqor POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/web/index.html
          ${PROJECT_SOURCE_DIR}/web/manifest.webmanifest ${VELQOR_WEB_SITE}
  COMMAND ${CMAKE_COMMAND} -DSITE=${VELQOR_WEB_SITE} -DVERSION=${PROJECT_VERSION}
          "-DFILES=${files}" -DTEMPLATE=${PROJECT_SOURCE_DIR}/web/sw.js
          -P ${PROJECT_SOURCE_DIR}/web/service_worker.cmake
  VERBATIM)
# Any of the page's sources changed makes the script again, and so the worker.
set_property(TARGET velqor APPEND PROPERTY LINK_DEPENDS
  ${PROJECT_SOURCE_DIR}/web/index.html ${PROJECT_SOURCE_DIR}/web/library_velqor.js
  ${PROJECT_SOURCE_DIR}/web/pre.js ${PROJECT_SOURCE_DIR}/web/manifest.webmanifest
  ${PROJECT_SOURCE_DIR}/web/sw.js ${PROJECT_SOURCE_DIR}/web/service_worker.cmake
  ${VELQOR_ICON_SVG})

# The web zip (make package): the page's files and the worker, with the
# licences beside them.
install(TARGETS velqor RUNTIME DESTINATION .)
set(shipped ${VELQOR_WEB_FILES} sw.js)
list(REMOVE_ITEM shipped velqor.js)
list(TRANSFORM shipped PREPEND ${VELQOR_WEB_SITE}/)
install(FILES ${shipped} DESTINATION .)
set_property(GLOBAL APPEND PROPERTY VELQOR_SHIPPED_TARGETS velqor)
