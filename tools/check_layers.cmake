# The layers of src/, lowest first: a file may include headers of its own
# layer and of those below it, never of one above; engine files (outside ui/
# and app/) include no Qt header. A folder's ui/ or cli/ part is a layer of its
# own, above its engine.
#
#   cmake -DSRC=<repository>/src -P tools/check_layers.cmake
set(layers
  "common"
  "editions"
  "compare"
  "import chapters language fonts"
  "find"
  "collate"
  "compare/cli"
  "import/cli collate/cli"
  "common/ui"
  "compare/ui"
  "language/ui"
  "editions/ui chapters/ui import/ui find/ui collate/ui"
  "statistics/ui"
  "app")

set(rank 0)
foreach(layer IN LISTS layers)
  string(REPLACE " " ";" folders "${layer}")
  foreach(folder IN LISTS folders)
    set("rank_${folder}" ${rank})
  endforeach()
  math(EXPR rank "${rank} + 1")
endforeach()

# The layer of a path under src/: its two leading folders when they are one,
# else its first; "" when neither is.
function(layer_of path out)
  set(${out} "" PARENT_SCOPE)
  string(REGEX MATCH "^[^/]+/[^/]+/" two "${path}")
  string(REGEX MATCH "^[^/]+/" one "${path}")
  foreach(prefix IN ITEMS "${two}" "${one}")
    string(REGEX REPLACE "/$" "" folder "${prefix}")
    if(NOT folder STREQUAL "" AND DEFINED rank_${folder})
      set(${out} "${folder}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
endfunction()

if(NOT IS_DIRECTORY "${SRC}")
  message(FATAL_ERROR "SRC=${SRC} is no folder")
endif()
file(GLOB_RECURSE files RELATIVE "${SRC}" "${SRC}/*.h" "${SRC}/*.cpp")
set(problems "")
foreach(file IN LISTS files)
  layer_of("${file}" from)
  if(from STREQUAL "")
    string(APPEND problems "\n  ${file}: its folder is in no layer")
    continue()
  endif()
  set(engine "${from}")
  if(from MATCHES "(^|/)ui$" OR from STREQUAL "app")
    set(engine "")
  endif()
  file(STRINGS "${SRC}/${file}" includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    if(line MATCHES "\"([^\"]+)\"")
      set(header "${CMAKE_MATCH_1}")
      string(REGEX MATCH "^[^/]+/" top "${header}")
      if(NOT top STREQUAL "" AND IS_DIRECTORY "${SRC}/${top}")
        layer_of("${header}" to)
        if(to STREQUAL "")
          string(APPEND problems "\n  ${file}: includes ${header}, whose folder is in no layer")
        elseif(${rank_${to}} GREATER ${rank_${from}})
          string(APPEND problems "\n  ${file}: includes ${header} (${to} is above ${from})")
        endif()
      endif()
    elseif(line MATCHES "<((Qt?[A-Z][A-Za-z0-9]*|q[a-z0-9_]+\\.h)[^>]*)>" AND NOT engine STREQUAL "")
      string(APPEND problems "\n  ${file}: includes <${CMAKE_MATCH_1}>, a Qt header, outside ui/ and app/")
    endif()
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "Includes against the layers:${problems}")
endif()
list(LENGTH files count)
message(STATUS "${count} files keep to the layers")
