# Run by CPack on the .deb's files just before it packs them: Debian keeps its
# manual pages compressed (`make install` leaves them plain).
file(GLOB manuals "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/share/man/man*/*.[1-9]")
if(NOT manuals)
  message(FATAL_ERROR "no manual pages under ${CPACK_TEMPORARY_DIRECTORY}")
endif()
foreach(manual IN LISTS manuals)
  execute_process(COMMAND gzip -9nf ${manual} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip ${manual} failed")
  endif()
endforeach()
