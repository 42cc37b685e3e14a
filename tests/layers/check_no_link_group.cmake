# Fails when the program's link line rescans libraries as a group.
file(READ "${LINK_FILE}" line)
if(line MATCHES "start-group|end-group|-\\(")
  message(FATAL_ERROR "the program is linked with a link group: ${line}")
endif()
if(NOT line MATCHES "libmodel\\.a")
  message(FATAL_ERROR "not the program's link line: ${line}")
endif()
message(STATUS "no link group")
