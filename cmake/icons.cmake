# The program's icon is drawn once, in app/resources/org.velqor.Velqor.svg. The
# build renders it with rsvg-convert (Debian: librsvg2-bin) at each size the
# desktop's icon theme and the exe need; ImageMagick packs the exe's sizes into
# velqor.ico.

set(VELQOR_ICON_SVG ${PROJECT_SOURCE_DIR}/app/resources/org.velqor.Velqor.svg)
# Programs of the machine that builds, also in a cross build.
find_program(VELQOR_RSVG_CONVERT rsvg-convert NO_CMAKE_FIND_ROOT_PATH)
if(CMAKE_HOST_WIN32)
  # Windows has a convert.exe of its own (for disks): only ImageMagick 7's name.
  find_program(VELQOR_IMAGEMAGICK magick)
else()
  find_program(VELQOR_IMAGEMAGICK NAMES convert magick NO_CMAKE_FIND_ROOT_PATH)
endif()

# velqor_icon_png(SIZE OUT): the rule that makes OUT, the icon at SIZE x SIZE pixels.
function(velqor_icon_png size out)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${VELQOR_RSVG_CONVERT} --width ${size} --height ${size} --output ${out} ${VELQOR_ICON_SVG}
    DEPENDS ${VELQOR_ICON_SVG}
    COMMENT "Drawing the icon at ${size} x ${size}"
    VERBATIM)
endfunction()

# velqor_windows_icon(OUT_VAR): the rule that makes velqor.ico (16, 24, 32, 48 and
# 256 pixels) in the current build folder; OUT_VAR is its path, or empty when the
# tools are missing (the exe is then built without its icon).
function(velqor_windows_icon out_var)
  if(NOT VELQOR_RSVG_CONVERT OR NOT VELQOR_IMAGEMAGICK)
    message(WARNING "rsvg-convert or ImageMagick not found: velqor.exe is built without its "
      "icon. On Debian: apt-get install librsvg2-bin imagemagick")
    set(${out_var} "" PARENT_SCOPE)
    return()
  endif()
  set(frames)
  foreach(size 16 24 32 48 256)
    set(png ${CMAKE_CURRENT_BINARY_DIR}/velqor-ico-${size}.png)
    velqor_icon_png(${size} ${png})
    list(APPEND frames ${png})
  endforeach()
  set(ico ${CMAKE_CURRENT_BINARY_DIR}/velqor.ico)
  add_custom_command(
    OUTPUT ${ico}
    COMMAND ${VELQOR_IMAGEMAGICK} ${frames} ${ico}
    DEPENDS ${frames}
    COMMENT "Packing the icon into velqor.ico"
    VERBATIM)
  set(${out_var} ${ico} PARENT_SCOPE)
endfunction()

# velqor_hicolor_icons(TARGET): TARGET makes the icon theme's PNGs, and they are
# installed, with the SVG itself, under share/icons/hicolor. Without
# rsvg-convert the build goes on (the tests need no icons) and installing stops
# with the reason.
function(velqor_hicolor_icons target)
  if(NOT VELQOR_RSVG_CONVERT)
    install(CODE "message(FATAL_ERROR \"The icons need rsvg-convert. On Debian: apt-get install librsvg2-bin; then build again.\")")
    return()
  endif()
  set(pngs)
  foreach(size 16 24 32 48 64 128 256)
    set(png ${CMAKE_CURRENT_BINARY_DIR}/org.velqor.Velqor-${size}.png)
    velqor_icon_png(${size} ${png})
    list(APPEND pngs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
      RENAME org.velqor.Velqor.png)
  endforeach()
  install(FILES ${VELQOR_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  add_custom_target(${target} ALL DEPENDS ${pngs})
endfunction()

# velqor_web_icons(TARGET FOLDER): TARGET puts the web page's icons in FOLDER:
# icon.svg, the drawing itself, and icon-192.png and icon-512.png, the sizes an
# installed web app is shown at. The page does not install without them, so
# the configuration stops when rsvg-convert is missing.
function(velqor_web_icons target folder)
  if(NOT VELQOR_RSVG_CONVERT)
    message(FATAL_ERROR "The web page's icons need rsvg-convert. On Debian: apt-get install "
      "librsvg2-bin; then configure again.")
  endif()
  set(icons ${folder}/icon.svg)
  add_custom_command(
    OUTPUT ${folder}/icon.svg
    COMMAND ${CMAKE_COMMAND} -E copy ${VELQOR_ICON_SVG} ${folder}/icon.svg
    DEPENDS ${VELQOR_ICON_SVG}
    VERBATIM)
  foreach(size 192 512)
    velqor_icon_png(${size} ${folder}/icon-${size}.png)
    list(APPEND icons ${folder}/icon-${size}.png)
  endforeach()
  add_custom_target(${target} DEPENDS ${icons})
endfunction()
