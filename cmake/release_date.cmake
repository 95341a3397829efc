# VELQOR_RELEASE_EPOCH: the release day VELQOR_RELEASE_DATE (YYYY-MM-DD) as
# seconds since 1970, the SOURCE_DATE_EPOCH given to the tools that date what
# they make (help2man, the Debian changelog), so that every build of a release
# gives the same files.
string(REGEX MATCH "^([0-9]+)-0?([0-9]+)-0?([0-9]+)$" _ ${VELQOR_RELEASE_DATE})
set(_y ${CMAKE_MATCH_1})
set(_m ${CMAKE_MATCH_2})
if(_m LESS_EQUAL 2) # counted from March, so that the leap day ends the year
  math(EXPR _y "${_y} - 1")
  math(EXPR _m "${_m} + 12")
endif()
math(EXPR _days "365 * ${_y} + ${_y} / 4 - ${_y} / 100 + ${_y} / 400 + (153 * (${_m} - 3) + 2) / 5 + ${CMAKE_MATCH_3} - 1 - 719468")
math(EXPR VELQOR_RELEASE_EPOCH "${_days} * 86400")
