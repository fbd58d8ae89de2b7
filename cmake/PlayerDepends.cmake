# Read by cpack: the Debian dependencies of the embedded player library, from
# dpkg-shlibdeps as for any shipped binary. CPack adds the magazine's own, so
# only what the player adds to those is kept (no package named twice).
if(CPACK_GENERATOR STREQUAL "DEB")
  set(work ${CPACK_PACKAGE_DIRECTORY}/player-shlibdeps)
  file(MAKE_DIRECTORY ${work}/debian)
  file(TOUCH ${work}/debian/control)
  function(rodi_shlibdeps out)
    execute_process(COMMAND dpkg-shlibdeps -O ${ARGN} WORKING_DIRECTORY ${work}
      OUTPUT_VARIABLE text RESULT_VARIABLE rc ERROR_VARIABLE err)
    if(NOT rc EQUAL 0 OR NOT text MATCHES "shlibs:Depends=([^\n]*)")
      message(FATAL_ERROR "dpkg-shlibdeps ${ARGN} failed: ${err}")
    endif()
    string(REPLACE ", " ";" list "${CMAKE_MATCH_1}")
    set(${out} "${list}" PARENT_SCOPE)
  endfunction()
  rodi_shlibdeps(magazine ${CPACK_RODI_MAGAZINE})
  rodi_shlibdeps(both ${CPACK_RODI_MAGAZINE} ${CPACK_RODI_PLAYER_LIBRARY})
  list(REMOVE_ITEM both ${magazine})
  list(JOIN both ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
  file(REMOVE_RECURSE ${work})
endif()
