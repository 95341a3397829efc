# The browser build, included by app/CMakeLists.txt under emscripten: the page
# (index.html) with the program inside. The program with the entry point of
# every build is linked once, as Emscripten's loader and its WebAssembly
# (program/velqor-program.js and .wasm), and page_program.py writes both into
# the page, the WebAssembly as base64: a page that holds its program asks for
# nothing more before its first picture, and opens from a file (file://),
# where a browser fetches no .wasm, as it does over http(s). The page loads
# its player (player.js) after the program's first picture. Beside it go the
# CJK faces, which a page in Chinese, Japanese or Korean fetches (fonts/), and
# what makes the page an installable app that opens offline: its manifest,
# its icons and its service worker (sw.js, made last, from the files it
# keeps). The target `velqor` is the whole page.
set(VELQOR_WEB_SITE ${PROJECT_BINARY_DIR})
set(VELQOR_WEB_SOURCES ${PROJECT_SOURCE_DIR}/web/library_velqor.js ${PROJECT_SOURCE_DIR}/web/pre.js)
add_executable(velqor_page_program ${PROJECT_SOURCE_DIR}/app/main.cpp
                                   ${PROJECT_SOURCE_DIR}/web/page_texts.cpp)
target_link_libraries(velqor_page_program PRIVATE velqor_program vq_backend_main)
set_target_properties(velqor_page_program PROPERTIES
  OUTPUT_NAME velqor-program SUFFIX .js RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/program)
target_link_options(velqor_page_program PRIVATE
  -sENVIRONMENT=web
  # A framebuffer as large as the browser window.
  -sALLOW_MEMORY_GROWTH=1
  -sFILESYSTEM=0
  # The page's side hands fetched files over in memory it allocates, and asks
  # for the language chosen (page_texts.cpp).
  -sEXPORTED_FUNCTIONS=_main,_malloc,_free,_velqor_page_catalogue,_velqor_page_language,_velqor_page_languages,_velqor_page_address
  -sEXPORTED_RUNTIME_METHODS=ccall
  # Nothing may live below address 0x10000, as on Windows: the layer takes a
  # name pointer below it for an atom (MAKEINTATOM), and wasm's static data
  # would otherwise start at 1024.
  -sGLOBAL_BASE=65536
  --js-library ${PROJECT_SOURCE_DIR}/web/library_velqor.js
  --pre-js ${PROJECT_SOURCE_DIR}/web/pre.js)
set_property(TARGET velqor_page_program APPEND PROPERTY LINK_DEPENDS ${VELQOR_WEB_SOURCES})
add_custom_command(
  OUTPUT ${VELQOR_WEB_SITE}/index.html
  COMMAND ${VELQOR_PYTHON} ${PROJECT_SOURCE_DIR}/web/page_program.py
          ${PROJECT_SOURCE_DIR}/web/index.html ${PROJECT_BINARY_DIR}/program/velqor-program.js
          ${PROJECT_BINARY_DIR}/program/velqor-program.wasm ${VELQOR_WEB_SITE}/index.html
  DEPENDS velqor_page_program ${PROJECT_SOURCE_DIR}/web/index.html
          ${PROJECT_SOURCE_DIR}/web/page_program.py
  COMMENT "The page with the program inside"
  VERBATIM)

# The page's files, at the top of the build tree, all of which the service
# worker keeps. Each CJK face goes as a script (fonts/<face>.js) that hands its
# bytes to the page: a script loads from a file (file://) as over http, where a
# fetch of a font file would not.
set(fonts "")
set(fontScripts "")
foreach(face IN LISTS VELQOR_CJK_FONTS)
  get_filename_component(name ${face} NAME_WE)
  set(script ${VELQOR_WEB_SITE}/fonts/${name}.js)
  add_custom_command(
    OUTPUT ${script}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VELQOR_WEB_SITE}/fonts
    COMMAND ${VELQOR_PYTHON} ${PROJECT_SOURCE_DIR}/web/face_script.py ${face} ${script} ${name}
    DEPENDS ${face} ${PROJECT_SOURCE_DIR}/web/face_script.py
    COMMENT "The face ${name} as a script for the page"
    VERBATIM)
  list(APPEND fonts fonts/${name}.js)
  list(APPEND fontScripts ${script})
endforeach()
# The page's own texts in each catalogue's language, a script each.
file(GLOB webCatalogues CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/po/*.po)
set(texts "")
set(textScripts "")
foreach(po IN LISTS webCatalogues)
  get_filename_component(language ${po} NAME_WE)
  list(APPEND texts texts/${language}.js)
  list(APPEND textScripts ${VELQOR_WEB_SITE}/texts/${language}.js)
endforeach()
add_custom_command(
  OUTPUT ${textScripts}
  COMMAND ${VELQOR_PYTHON} ${PROJECT_SOURCE_DIR}/po/catalogues.py page ${VELQOR_WEB_SITE}/texts
          ${webCatalogues}
  DEPENDS ${webCatalogues} ${PROJECT_SOURCE_DIR}/po/catalogues.py
  COMMENT "The page's texts in each language"
  VERBATIM)
set(VELQOR_WEB_FILES index.html player.js manifest.webmanifest icon.svg icon-192.png icon-512.png
    ${fonts} ${texts})
list(JOIN VELQOR_WEB_FILES " " files)
include(${PROJECT_SOURCE_DIR}/cmake/icons.cmake)
velqor_web_icons(velqor_web_icons ${VELQOR_WEB_SITE})
add_custom_command(
  OUTPUT ${VELQOR_WEB_SITE}/sw.js
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/web/player.js
          ${PROJECT_SOURCE_DIR}/web/manifest.webmanifest ${VELQOR_WEB_SITE}
  COMMAND ${CMAKE_COMMAND} -DSITE=${VELQOR_WEB_SITE} -DVERSION=${PROJECT_VERSION}
          "-DFILES=${files}" -DTEMPLATE=${PROJECT_SOURCE_DIR}/web/sw.js
          -P ${PROJECT_SOURCE_DIR}/web/service_worker.cmake
  # The page written again, or any of its other files changed, makes the
  # worker again.
  DEPENDS ${VELQOR_WEB_SITE}/index.html velqor_web_icons velqor_font ${fontScripts}
          ${textScripts} ${PROJECT_SOURCE_DIR}/web/player.js
          ${PROJECT_SOURCE_DIR}/web/manifest.webmanifest ${PROJECT_SOURCE_DIR}/web/sw.js
          ${PROJECT_SOURCE_DIR}/web/service_worker.cmake ${VELQOR_ICON_SVG}
  COMMENT "Writing the page's service worker"
  VERBATIM)
add_custom_target(velqor ALL DEPENDS ${VELQOR_WEB_SITE}/sw.js)

# The web zip (make package): the page, its other files and the worker, with
# the licences beside them.
set(shipped ${VELQOR_WEB_FILES} sw.js)
list(REMOVE_ITEM shipped ${fonts} ${texts})
list(TRANSFORM shipped PREPEND ${VELQOR_WEB_SITE}/)
install(FILES ${shipped} DESTINATION .)
install(FILES ${fontScripts} DESTINATION fonts)
install(FILES ${textScripts} DESTINATION texts)
set_property(GLOBAL APPEND PROPERTY VELQOR_SHIPPED_TARGETS velqor)
