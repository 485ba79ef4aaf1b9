# One static library per source folder. Sources are picked up by glob (not
# recursive: src/platform/vidide is a library of its own) so a new class needs
# no edit here; forms come from forms/ through AUTOUIC. EXCLUDE names files of
# the folder that belong to another library; LINKS names the program's own
# libraries this one builds on, which are of lower layers (platform, then the
# hub and common, then device, then model, then the pages, then unbuilt, then
# app): a page links no other page, so no library needs a link group.
function(orvak_library name)
  cmake_parse_arguments(ARG "" "" "EXCLUDE;LINKS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER srcs EXCLUDE REGEX "/main\\.cpp$")
  foreach(excluded ${ARG_EXCLUDE})
    list(REMOVE_ITEM srcs ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
  if(NOT srcs)
    return()
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_LINKS} Qt5::Core Qt5::Gui Qt5::Widgets
                        Threads::Threads)
  set_property(GLOBAL APPEND PROPERTY ORVAK_LIBRARIES ${name})
endfunction()

# A QtTest program registered with ctest. LIBS defaults to the whole program
# (orvak_all); a unit that stands alone (the device library) names its own.
# GUI tests run on the offscreen platform with a throw-away HOME, so the
# per-user folder is never the developer's own.
function(orvak_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_SOURCES)
    set(ARG_SOURCES ${name}.cpp)
  endif()
  if(NOT ARG_LIBS)
    set(ARG_LIBS orvak_all)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt5::Test)
  target_compile_definitions(${name} PRIVATE ORVAK_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/tests/run-isolated.sh $<TARGET_FILE:${name}>)
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  add_dependencies(${name} orvak_install_tree)
endfunction()

# A build step that writes part of the install tree beside the executable
# (pictures, firmware images); the tree target depends on all of them.
function(orvak_install_step target)
  set_property(GLOBAL APPEND PROPERTY ORVAK_INSTALL_STEPS ${target})
endfunction()
