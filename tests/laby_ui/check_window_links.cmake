# Fails when the labyrinth window's target links, or its sources include, a window it opens
# beside itself: those come through its hooks. LINKS holds the target's link libraries joined
# by commas, SOURCES its folder.
string(REPLACE "," ";" links "${LINKS}")
foreach(lib IN LISTS links)
  if(lib MATCHES "(methods|study|dynamics|thermo)_ui")
    message(FATAL_ERROR "the labyrinth window links ${lib}")
  endif()
endforeach()
file(GLOB sources "${SOURCES}/*.cpp" "${SOURCES}/*.h")
foreach(source IN LISTS sources)
  file(STRINGS "${source}" includes REGEX "^#include \"(methods|study|dynamics|thermo)/ui/")
  if(includes)
    message(FATAL_ERROR "${source} includes ${includes}")
  endif()
endforeach()
message(STATUS "the labyrinth window links and includes none of the windows it opens")
