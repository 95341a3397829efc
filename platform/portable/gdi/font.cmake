# The program's one font: DejaVu Sans Bold cut down at build time to the
# characters the program can draw (printable ASCII, U+0020 to U+007E, and the
# missing-glyph box), with fontTools' subsetter. Every build uses this one file,
# so that all of them draw the same glyphs.
#
# Included by platform/CMakeLists.txt in every build, Windows included. Gives:
#   velqor_font                 the target that makes the cut font;
#   VELQOR_FONT_CUT             its path (a cache entry, seen by every directory);
#                               a target that uses the file depends on velqor_font;
#   velqor_embed_font(<target>) compiles the cut font into <target> as
#                               vqp::gdi::kFontData, with stb_truetype beside it
#                               (the portable layer's text.cpp).
#
# Run as a script (cmake -P) at build time: turns FONT_FILE into the C++ source
# OUTPUT.

if(CMAKE_SCRIPT_MODE_FILE)
  file(READ "${FONT_FILE}" hex HEX)
  # 16 bytes a line, each as 0xNN.
  string(REGEX REPLACE "([0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f])"
         "\\1\n" hex "${hex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
  get_filename_component(fontName "${FONT_FILE}" NAME)
  file(WRITE "${OUTPUT}.tmp"
    "// Generated from ${fontName} by font.cmake; do not edit.\n"
    "namespace vqp::gdi {\n"
    "extern const unsigned char kFontData[];\n"
    "const unsigned char kFontData[] = {\n${hex}};\n"
    "} // namespace vqp::gdi\n")
  file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
  return()
endif()

# The whole font, as Debian's fonts-dejavu-core installs it.
set(VELQOR_FONT_FILE "" CACHE FILEPATH "DejaVu Sans Bold, the font the program's font is cut from")
if(NOT VELQOR_FONT_FILE)
  find_file(VELQOR_FONT_FOUND DejaVuSans-Bold.ttf
    PATHS /usr/share/fonts/truetype/dejavu /usr/share/fonts/dejavu /usr/share/fonts/TTF
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  set(fontSourceFile "${VELQOR_FONT_FOUND}")
else()
  set(fontSourceFile "${VELQOR_FONT_FILE}")
endif()
if(NOT fontSourceFile OR NOT EXISTS "${fontSourceFile}")
  message(FATAL_ERROR "The font DejaVu Sans Bold (DejaVuSans-Bold.ttf) was not found. "
    "Install the Debian package fonts-dejavu-core (apt-get install fonts-dejavu-core), "
    "or point VELQOR_FONT_FILE at the file.")
endif()
set(VELQOR_FONT_SOURCE "${fontSourceFile}" CACHE INTERNAL "The font the cut font is made from")

# A Python 3 that has fontTools. Debian's python3-fonttools belongs to
# /usr/bin/python3, which an interpreter earlier on PATH (pyenv, a virtual
# environment) may hide, so each is tried.
set(VELQOR_PYTHON "" CACHE FILEPATH "A Python 3 interpreter with fontTools")
if(NOT VELQOR_PYTHON)
  find_program(VELQOR_PYTHON_ON_PATH python3 NO_CMAKE_FIND_ROOT_PATH)
  foreach(candidate ${VELQOR_PYTHON_ON_PATH} /usr/bin/python3)
    execute_process(COMMAND ${candidate} -c "import fontTools.subset"
                    RESULT_VARIABLE noFontTools OUTPUT_QUIET ERROR_QUIET)
    if(noFontTools EQUAL 0)
      set(VELQOR_PYTHON ${candidate} CACHE FILEPATH "A Python 3 interpreter with fontTools" FORCE)
      break()
    endif()
  endforeach()
  if(NOT VELQOR_PYTHON)
    message(FATAL_ERROR "No Python 3 with fontTools was found; it cuts the program's font. "
      "Install the Debian package python3-fonttools (apt-get install python3-fonttools), "
      "or set VELQOR_PYTHON to a Python 3 that can import fontTools.")
  endif()
endif()

# What the cut keeps besides the glyphs: kerning (GPOS, which stb_truetype
# reads when a font has it, and the legacy 'kern' table, which is what GDI's
# GetKerningPairs reads), the missing-glyph box, and every name record, the
# licence among them. The hinting goes: stb_truetype draws the outlines as they
# are, and so should anything else that draws with this font.
set(VELQOR_FONT_CUT ${PROJECT_BINARY_DIR}/font/DejaVuSans-Bold-ascii.ttf
    CACHE INTERNAL "The program's font: DejaVu Sans Bold cut to printable ASCII")
add_custom_command(
  OUTPUT ${VELQOR_FONT_CUT}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/font
  COMMAND ${VELQOR_PYTHON} -m fontTools.subset ${fontSourceFile}
          --output-file=${VELQOR_FONT_CUT}
          --unicodes=U+0020-007E --notdef-outline
          --layout-features=kern --legacy-kern --no-hinting
          --name-IDs=* --name-languages=* --name-legacy
          # A table fontTools cannot cut (FontForge's time stamps), dropped
          # here rather than with a warning.
          --drop-tables+=FFTM
  DEPENDS ${fontSourceFile} ${CMAKE_CURRENT_LIST_FILE}
  COMMENT "Cutting the font ${fontSourceFile} to printable ASCII"
  VERBATIM)
add_custom_target(velqor_font ALL DEPENDS ${VELQOR_FONT_CUT})

# Compiles the cut font and stb_truetype into `target`.
function(velqor_embed_font target)
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
    COMMAND ${CMAKE_COMMAND} -DFONT_FILE=${VELQOR_FONT_CUT} -DOUTPUT=${fontSource}
            -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
    DEPENDS ${VELQOR_FONT_CUT} ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
    COMMENT "Embedding the font ${VELQOR_FONT_CUT}"
    VERBATIM)
  target_sources(${target} PRIVATE ${fontSource})
  # The font is made by velqor_font alone, never twice at once.
  add_dependencies(${target} velqor_font)
  # By full path, so that cross builds do not get the host's include directory.
  target_compile_definitions(${target} PRIVATE
    "VQ_STB_TRUETYPE_HEADER=\"${VELQOR_STB_INCLUDE}/stb/stb_truetype.h\"")
endfunction()
