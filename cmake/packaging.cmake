# Installing and shipping, included last by the top-level CMakeLists.txt. The
# programs' own install rules are beside them (app/, tools/record/, web/);
# here go the licences and the README, and CPack's settings for the one
# package each kind of build makes (`make package` puts them in dist/):
#
#   Linux        velqor_<version>_<arch>.deb   the programs, menu entry, icons, manuals
#   MinGW-w64    velqor-<version>-windows-x64.zip   velqor.exe and its texts (CRLF)
#   emscripten   velqor-<version>-web.zip      index.html, both builds of the program, the
#                                              CJK faces and the page's texts, the manifest,
#                                              icons and service worker, the licences and
#                                              the teacher's notes (docs/lesson.md)

set(VELQOR_MAINTAINER "The VELQOR authors <maintainers@velqor.org>")

if(EMSCRIPTEN)
  # Named .txt, so that a web server shows them as text.
  install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)
  install(FILES THIRD-PARTY-NOTICES DESTINATION . RENAME THIRD-PARTY-NOTICES.txt)
  install(FILES docs/lesson.md DESTINATION . RENAME LESSON.txt)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-web)

elseif(WIN32)
  # The texts beside velqor.exe, with Windows line ends so that Notepad of any
  # age shows their lines.
  function(velqor_windows_text text name)
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE ${CMAKE_BINARY_DIR}/windows-texts/${name} "${text}")
    install(FILES ${CMAKE_BINARY_DIR}/windows-texts/${name} DESTINATION .)
  endfunction()
  file(READ ${PROJECT_SOURCE_DIR}/cmake/packaging/README-windows.txt.in readme)
  string(CONFIGURE "${readme}" readme @ONLY)
  velqor_windows_text("${readme}" README.txt)
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
  velqor_windows_text("${licence}" LICENSE.txt)
  file(READ ${PROJECT_SOURCE_DIR}/THIRD-PARTY-NOTICES notices)
  velqor_windows_text("${notices}" THIRD-PARTY-NOTICES.txt)
  file(READ ${PROJECT_SOURCE_DIR}/docs/lesson.md lesson)
  velqor_windows_text("${lesson}" LESSON.txt)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    cmake/packaging/README-windows.txt.in LICENSE THIRD-PARTY-NOTICES docs/lesson.md)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-windows-x64)

else()
  install(FILES README.md LICENSE THIRD-PARTY-NOTICES docs/lesson.md
    DESTINATION ${CMAKE_INSTALL_DOCDIR})

  # The .deb also holds what Debian asks of every package: the copyright file
  # (our licence, then the notices) and the changelog. They are a component of
  # their own that `make install` leaves out.
  set(debianDir ${CMAKE_BINARY_DIR}/debian)
  file(READ ${PROJECT_SOURCE_DIR}/cmake/packaging/debian-copyright.in copyright)
  string(CONFIGURE "${copyright}" copyright @ONLY)
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
  file(READ ${PROJECT_SOURCE_DIR}/THIRD-PARTY-NOTICES notices)
  file(WRITE ${debianDir}/copyright "${copyright}${licence}\n\n${notices}")
  set(ENV{SOURCE_DATE_EPOCH} ${VELQOR_RELEASE_EPOCH})
  string(TIMESTAMP VELQOR_RELEASE_RFC2822 "%a, %d %b %Y %H:%M:%S +0000" UTC)
  unset(ENV{SOURCE_DATE_EPOCH})
  configure_file(cmake/packaging/debian-changelog.in ${debianDir}/changelog @ONLY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    cmake/packaging/debian-copyright.in LICENSE THIRD-PARTY-NOTICES)
  find_program(VELQOR_GZIP gzip)
  add_custom_command(
    OUTPUT ${debianDir}/changelog.gz
    COMMAND ${VELQOR_GZIP} -9nkf ${debianDir}/changelog
    DEPENDS ${debianDir}/changelog
    VERBATIM)
  add_custom_target(velqor_debian_changelog ALL DEPENDS ${debianDir}/changelog.gz)
  set_property(GLOBAL APPEND PROPERTY VELQOR_SHIPPED_TARGETS velqor_debian_changelog)
  install(FILES ${debianDir}/copyright ${debianDir}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT debian EXCLUDE_FROM_ALL)

  set(CPACK_GENERATOR DEB)
  set(CPACK_INSTALL_CMAKE_PROJECTS
    "${CMAKE_BINARY_DIR};${PROJECT_NAME};Unspecified;/"
    "${CMAKE_BINARY_DIR};${PROJECT_NAME};debian;/")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/packaging/debian-staging.cmake)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION education)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VELQOR_MAINTAINER})
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A white point turns on a red circle: counter-clockwise for a positive
frequency, clockwise for a negative one. Each click, or a presenter's key,
moves the demonstration on: the plane of rotation turns edge-on, slides to
the left edge, and is pulled to the right so that the point traces a sine.
Made to be shown on a projector.
.
The package also holds velqor-record, which plays the demonstration without
a window and writes it to files.")
endif()

set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "The VELQOR authors")
set(CPACK_PACKAGE_CONTACT ${VELQOR_MAINTAINER})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# The zips hold their files at the top, ready to unpack where they are wanted.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_SOURCE_DIR}/dist)
include(CPack)
# CMake's install target and CPack build nothing first: make install and make
# package build velqor_shipped instead, so that packing does not build every
# test as well. (By hand: cmake --build, then cmake --install or cpack.)
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

# velqor_shipped: builds everything the installation holds.
add_custom_target(velqor_shipped)
get_property(shipped GLOBAL PROPERTY VELQOR_SHIPPED_TARGETS)
foreach(target IN LISTS shipped)
  if(TARGET ${target})
    add_dependencies(velqor_shipped ${target})
  endif()
endforeach()
