# `cmake --install <build> --prefix <p>` lays out the program for a Linux
# desktop:
#   <p>/lib/orvak/        the program with its install tree beside it, as in
#                         the build's bin/ folder (it finds its data there)
#   <p>/bin/orvak, <p>/bin/orvak-sim   relative links to the program and its
#                         simulation tool, for the PATH
#   <p>/share/applications/orvak.desktop   the launcher
#   <p>/share/icons/hicolor/<n>x<n>/apps/orvak.png   its icon
# The program looks for its data beside its executable; the kernel resolves
# the link, so starting <p>/bin/orvak finds <p>/lib/orvak.
set(ORVAK_INSTALL_PROGRAM_DIR lib/orvak)

install(TARGETS ORVAK orvak-sim RUNTIME DESTINATION ${ORVAK_INSTALL_PROGRAM_DIR})
install(DIRECTORY ${ORVAK_BIN_DIR}/usersetting ${ORVAK_BIN_DIR}/Language ${ORVAK_BIN_DIR}/Picture
                  ${ORVAK_BIN_DIR}/bin
        DESTINATION ${ORVAK_INSTALL_PROGRAM_DIR})
install(FILES ${ORVAK_BIN_DIR}/driver_sensor.h ${ORVAK_BIN_DIR}/sim-devices-example.json
              ${ORVAK_BIN_DIR}/sim-devices-repair.json ${ORVAK_BIN_DIR}/sim-devices-sleep.json
        DESTINATION ${ORVAK_INSTALL_PROGRAM_DIR})
# The icon of each size (icons/<size>/orvak.png) goes to the hicolor theme;
# the program finds it there from <p>/lib/orvak.
get_property(icon_files GLOBAL PROPERTY ORVAK_ICON_FILES)
foreach(icon ${icon_files})
  get_filename_component(size_dir ${icon} DIRECTORY)
  get_filename_component(size ${size_dir} NAME)
  install(FILES ${icon} DESTINATION share/icons/hicolor/${size}/apps)
endforeach()

# The link and the launcher name the prefix given at install time, which
# may differ from the one the build was configured with.
install(CODE "set(ORVAK_PROGRAM_DIR \"${ORVAK_INSTALL_PROGRAM_DIR}\")
set(ORVAK_DESKTOP_TEMPLATE \"${CMAKE_CURRENT_LIST_DIR}/orvak.desktop.in\")
set(ORVAK_DESKTOP_STAGE \"${CMAKE_BINARY_DIR}/desktop\")")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/InstallDesktop.cmake)
