# cmake -DSOURCE_DIR=<tree> -DMODULES="digests;firmware" -P ModuleIncludes.cmake
#
# The modules written against the public contract include nothing of the
# program but ext/interface/ and their own modules/common/: a source that
# includes any other folder of the program is named and the check fails.
set(offenders "")
foreach(module IN LISTS MODULES)
  set(allowed "ext/interface/|modules/common/|modules/${module}/")
  file(GLOB_RECURSE sources "${SOURCE_DIR}/modules/${module}/*.h" "${SOURCE_DIR}/modules/${module}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^#include \"")
    foreach(line IN LISTS includes)
      string(REGEX MATCH "\"([a-z_]+)/" folder "${line}")
      if(folder AND NOT line MATCHES "\"(${allowed})")
        list(APPEND offenders "${source}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(offenders)
  list(JOIN offenders "\n" text)
  message(FATAL_ERROR "Modules reach into the program:\n${text}")
endif()
message(STATUS "The modules include only the contract and their common code")
