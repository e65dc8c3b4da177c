# Run by CPack after it has made the Win32 ZIP: every file in it deflated
# again by advzip (Debian's advancecomp) with its strongest, slowest search.
# The ZIP stays a plain deflate ZIP that every unzipper of the era reads,
# about 5 % smaller than CPack's own deflate.
find_program(PACK_ADVZIP advzip)
if(NOT PACK_ADVZIP)
  message(FATAL_ERROR "advzip not found: the Win32 ZIP is recompressed with it (apt-get install advancecomp)")
endif()
foreach(package ${CPACK_PACKAGE_FILES})
  if(package MATCHES "\\.zip$")
    execute_process(COMMAND ${PACK_ADVZIP} --recompress -4 ${package} RESULT_VARIABLE status OUTPUT_QUIET)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "advzip could not recompress ${package}")
    endif()
  endif()
endforeach()
