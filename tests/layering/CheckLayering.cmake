# Fails when a source file under SRC includes a header of a higher layer, or
# a page includes another page. The layers, lowest first: the platform (with
# the device library), then the hub and common, then device, then the model
# the pages share, then the pages, then unbuilt (widgets built on pages), then
# app. The pages are one layer of folders that never include each other: what
# two pages share lives in the model below them.
#   cmake -DSRC=<src folder> -P CheckLayering.cmake

if(NOT SRC OR NOT IS_DIRECTORY "${SRC}")
  message(FATAL_ERROR "CheckLayering: SRC must name the source folder")
endif()

set(pages "buttons|macro|sensor|light|settings")
set(pageLayer 4)

# Layer of a path relative to src/; -1 when it is not in the program's tree.
function(layer_of path out)
  if(path MATCHES "^platform/")
    set(level 0)
  elseif(path MATCHES "^(hub|common)/")
    set(level 1)
  elseif(path MATCHES "^device/")
    set(level 2)
  elseif(path MATCHES "^model/")
    set(level 3)
  elseif(path MATCHES "^(${pages})/")
    set(level ${pageLayer})
  elseif(path MATCHES "^unbuilt/")
    set(level 5)
  elseif(path MATCHES "^app/")
    set(level 6)
  else()
    set(level -1)
  endif()
  set(${out} ${level} PARENT_SCOPE)
endfunction()

set(names "platform" "the hub and common" "device" "model" "the pages" "unbuilt" "app")
file(GLOB_RECURSE files RELATIVE "${SRC}" "${SRC}/*.h" "${SRC}/*.cpp")
list(SORT files)
set(faults 0)
foreach(file ${files})
  layer_of("${file}" own)
  if(own EQUAL -1)
    message("${file}: folder of no layer; add it to CheckLayering.cmake")
    math(EXPR faults "${faults} + 1")
    continue()
  endif()
  string(REGEX REPLACE "/.*$" "" ownFolder "${file}")
  file(STRINGS "${SRC}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line ${includes})
    string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" header "${line}")
    layer_of("${header}" theirs)
    string(REGEX REPLACE "/.*$" "" theirFolder "${header}")
    if(theirs GREATER own)
      list(GET names ${own} ownName)
      list(GET names ${theirs} theirName)
      message("${file} includes ${header}: ${ownName} may not include ${theirName}")
      math(EXPR faults "${faults} + 1")
    elseif(own EQUAL pageLayer AND theirs EQUAL pageLayer AND NOT ownFolder STREQUAL theirFolder)
      message("${file} includes ${header}: a page may not include another page; "
              "move what they share to model")
      math(EXPR faults "${faults} + 1")
    endif()
  endforeach()
endforeach()

if(faults GREATER 0)
  message(FATAL_ERROR "${faults} fault(s) against the layering")
endif()
list(LENGTH files count)
message("Layering holds for ${count} files")
