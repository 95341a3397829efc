# The built-in font and the stb_truetype header, for the drawing half of the
# portable layer (text.cpp).
#
# Included by platform/CMakeLists.txt: finds both and adds the generated source
# that holds the font to vq_platform. Run as a script (cmake -P) at build time:
# turns FONT_FILE into the C++ source OUTPUT.

if(CMAKE_SCRIPT_MODE_FILE)
  file(READ "${FONT_FILE}" hex HEX)
  string(LENGTH "${hex}" hexLength)
  math(EXPR byteCount "${hexLength} / 2")
  # 16 bytes a line, each as 0xNN.
  string(REGEX REPLACE "([0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f])"
         "\\1\n" hex "${hex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
  get_filename_component(fontName "${FONT_FILE}" NAME)
  file(WRITE "${OUTPUT}.tmp"
    "// Generated from ${fontName} by font.cmake; do not edit.\n"
    "#include <cstddef>\n"
    "namespace vqp::gdi {\n"
    "extern const unsigned char kFontData[];\n"
    "extern const size_t kFontSize;\n"
    "const unsigned char kFontData[] = {\n${hex}};\n"
    "const size_t kFontSize = ${byteCount};\n"
    "} // namespace vqp::gdi\n")
  file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
  return()
endif()

set(VELQOR_FONT_FILE "" CACHE FILEPATH "TrueType font built into the portable layer")
if(NOT VELQOR_FONT_FILE)
  find_file(VELQOR_FONT_FOUND DejaVuSans-Bold.ttf
    PATHS /usr/share/fonts/truetype/dejavu /usr/share/fonts/dejavu /usr/share/fonts/TTF
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  set(fontFile "${VELQOR_FONT_FOUND}")
else()
  set(fontFile "${VELQOR_FONT_FILE}")
endif()
if(NOT fontFile OR NOT EXISTS "${fontFile}")
  message(FATAL_ERROR "The font DejaVu Sans Bold (DejaVuSans-Bold.ttf) was not found. "
    "Install the Debian package fonts-dejavu-core (apt-get install fonts-dejavu-core), "
    "or point VELQOR_FONT_FILE at the file.")
endif()

find_path(VELQOR_STB_INCLUDE stb/stb_truetype.h
  PATHS /usr/include /usr/local/include NO_CMAKE_FIND_ROOT_PATH)
if(NOT VELQOR_STB_INCLUDE)
  message(FATAL_ERROR "stb_truetype.h was not found. Install the Debian package libstb-dev "
    "(apt-get install libstb-dev), or set VELQOR_STB_INCLUDE to the directory that holds "
    "stb/stb_truetype.h.")
endif()

set(fontSource ${CMAKE_CURRENT_BINARY_DIR}/generated/builtin_font.cpp)
add_custom_command(
  OUTPUT ${fontSource}
  COMMAND ${CMAKE_COMMAND} -DFONT_FILE=${fontFile} -DOUTPUT=${fontSource}
          -P ${CMAKE_CURRENT_LIST_FILE}
  DEPENDS ${fontFile} ${CMAKE_CURRENT_LIST_FILE}
  COMMENT "Embedding the font ${fontFile}"
  VERBATIM)
target_sources(vq_platform PRIVATE ${fontSource})
# By full path, so that cross builds do not get the host's include directory.
target_compile_definitions(vq_platform PRIVATE
  "VQ_STB_TRUETYPE_HEADER=\"${VELQOR_STB_INCLUDE}/stb/stb_truetype.h\"")
