# Runs PROGRAM with no display to open a window on: it must say why in one
# line on stderr and end with exit code 1 instead of waiting for ever.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY ${PROGRAM}
  RESULT_VARIABLE code
  ERROR_VARIABLE err
  TIMEOUT 20)
if(NOT code STREQUAL "1")
  message(FATAL_ERROR "exit code '${code}', expected 1; stderr:\n${err}")
endif()
if(NOT err MATCHES "(^|\n)velqor: cannot open a window: [^\n]+\n")
  message(FATAL_ERROR "no 'velqor: cannot open a window: <reason>' line; stderr:\n${err}")
endif()
