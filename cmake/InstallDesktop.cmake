# Run by `cmake --install`: the bin/orvak and bin/orvak-sim links and the
# launcher, for the prefix of this install (DESTDIR honoured, all listed in the
# manifest).
set(orvak_bin "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin")
file(MAKE_DIRECTORY "${orvak_bin}")
foreach(pair "orvak=ORVAK" "orvak-sim=orvak-sim")
  string(REPLACE "=" ";" pair "${pair}")
  list(GET pair 0 link)
  list(GET pair 1 target)
  message(STATUS "Installing: ${orvak_bin}/${link}")
  file(CREATE_LINK "../${ORVAK_PROGRAM_DIR}/${target}" "${orvak_bin}/${link}" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${orvak_bin}/${link}")
endforeach()

# Exec is quoted so that a prefix with blanks still starts the program.
set(ORVAK_EXEC "${CMAKE_INSTALL_PREFIX}/bin/orvak")
configure_file("${ORVAK_DESKTOP_TEMPLATE}" "${ORVAK_DESKTOP_STAGE}/orvak.desktop" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications" TYPE FILE
     FILES "${ORVAK_DESKTOP_STAGE}/orvak.desktop")
