# The browser build, included by app/CMakeLists.txt under emscripten: the
# program with the entry point of every build, linked into one script
# (velqor.js) that holds the WebAssembly, the built-in font included, so that
# the page works from any static host and from file://. index.html goes beside it.
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
add_custom_command(TARGET velqor POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/web/index.html
          $<TARGET_FILE_DIR:velqor>/index.html
  VERBATIM)
set_property(TARGET velqor APPEND PROPERTY LINK_DEPENDS
  ${PROJECT_SOURCE_DIR}/web/index.html ${PROJECT_SOURCE_DIR}/web/library_velqor.js
  ${PROJECT_SOURCE_DIR}/web/pre.js)

# The web zip (make package): these two files, with the licences beside them.
install(TARGETS velqor RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/web/index.html DESTINATION .)
set_property(GLOBAL APPEND PROPERTY VELQOR_SHIPPED_TARGETS velqor)
