# One static library per subsystem folder, built from every source in it.
# A folder that has no sources yet builds nothing.
set(VR_SUBSYSTEM_LIBS "" CACHE INTERNAL "")

function(vr_subsystem name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  set(has_cpp FALSE)
  foreach(s IN LISTS sources)
    if(s MATCHES "\\.cpp$")
      set(has_cpp TRUE)
    endif()
  endforeach()
  if(NOT has_cpp)
    return()
  endif()
  add_library(${name} STATIC ${sources})
  # Headers are included by folder: #include "model/cfamilytaxdata.h".
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC companion Qt5::Widgets Qt5::Network Qt5::Sql
                        PkgConfig::TINYXML ${ARG_DEPS})
  set(VR_SUBSYSTEM_LIBS ${VR_SUBSYSTEM_LIBS} ${name} CACHE INTERNAL "")
endfunction()
