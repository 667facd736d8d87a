# Read by cpack once for each generator. Without dpkg-shlibdeps CPack would quietly make a
# Debian package that names none of the libraries the programs need.
if(CPACK_GENERATOR STREQUAL "DEB")
  find_program(MARLOCK_SHLIBDEPS dpkg-shlibdeps)
  if(NOT MARLOCK_SHLIBDEPS)
    message(FATAL_ERROR "dpkg-shlibdeps is missing, so the package's library dependencies "
      "cannot be read from the programs: install dpkg-dev (scripts/setup --package).")
  endif()
endif()
