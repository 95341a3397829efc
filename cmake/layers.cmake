# The program's layers, each a library that sees only itself and the layers
# below it:
#
#   vq_platform        platform/   the Win32 names (the portable layer off Windows)
#   velqor_graphics    graphics/   palette, pens and brushes, mapping, shapes, labels
#   velqor_animation   animation/  the animation state all stages share
#   velqor_scenes      scenes/     the picture of each stage
#   velqor_app         app/        start-up, window procedure, presenter controls
#
# Each links the layers it uses PRIVATE, and its include path holds only its
# own folder, so a file that includes or calls upward fails to build. Code is
# included as "<layer>/<file>.h"; velqor_include_root gives a target a folder
# of the source tree to include from, through a link in the build tree that
# holds that folder alone (the source root would expose every layer).

# Sets `out` to a folder from which "<dir>/..." and nothing else can be included.
function(velqor_include_root_dir dir out)
  set(root "${PROJECT_BINARY_DIR}/include-roots/${dir}")
  if(NOT EXISTS "${root}/${dir}")
    file(MAKE_DIRECTORY "${root}")
    file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${dir}" "${root}/${dir}" RESULT failed SYMBOLIC)
    if(failed)
      # A host without symbolic links (Windows without developer mode): the
      # layers are still built apart, only the include path is not narrowed.
      message(STATUS "No link for the include root of ${dir}/ (${failed}); using the source root")
      set(root "${PROJECT_SOURCE_DIR}")
    endif()
  endif()
  set(${out} "${root}" PARENT_SCOPE)
endfunction()

function(velqor_include_root target scope dir)
  velqor_include_root_dir(${dir} root)
  target_include_directories(${target} ${scope} "${root}")
endfunction()

# Gives a target a folder from which only the named files of `dir` can be
# included, as "<dir>/<file>": the public surface of a layer whose other
# files are its own.
function(velqor_include_files target scope dir)
  set(root "${PROJECT_BINARY_DIR}/include-roots/${dir}-public")
  foreach(file ${ARGN})
    set(link "${root}/${dir}/${file}")
    if(NOT EXISTS "${link}")
      get_filename_component(folder "${link}" DIRECTORY)
      file(MAKE_DIRECTORY "${folder}")
      file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${dir}/${file}" "${link}" SYMBOLIC COPY_ON_ERROR)
    endif()
  endforeach()
  target_include_directories(${target} ${scope} "${root}")
endfunction()

# A layer of the program: a static library of the sources in `dir`, which
# links the given lower layers PRIVATE.
function(velqor_layer target dir)
  cmake_parse_arguments(LAYER "" "" "SOURCES;BELOW" ${ARGN})
  add_library(${target} STATIC ${LAYER_SOURCES})
  velqor_include_root(${target} PUBLIC ${dir})
  target_link_libraries(${target} PRIVATE ${LAYER_BELOW})
endfunction()
