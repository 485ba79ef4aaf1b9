# Run by `cmake --install`: the bin/orvak link and the launcher, for the
# prefix of this install (DESTDIR honoured, both listed in the manifest).
set(orvak_bin "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin")
file(MAKE_DIRECTORY "${orvak_bin}")
message(STATUS "Installing: ${orvak_bin}/orvak")
file(CREATE_LINK "../${ORVAK_PROGRAM_DIR}/ORVAK" "${orvak_bin}/orvak" SYMBOLIC)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${orvak_bin}/orvak")

# Exec is quoted so that a prefix with blanks still starts the program.
set(ORVAK_EXEC "${CMAKE_INSTALL_PREFIX}/bin/orvak")
configure_file("${ORVAK_DESKTOP_TEMPLATE}" "${ORVAK_DESKTOP_STAGE}/orvak.desktop" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications" TYPE FILE
     FILES "${ORVAK_DESKTOP_STAGE}/orvak.desktop")
