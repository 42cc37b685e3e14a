# Layers the compiler and the linker check.
#
# Headers are included by folder ("model/cfamilytaxdata.h"). No target sees
# the whole source tree: each library publishes an include root of its own in
# the build folder that holds only its own folder, so a target can include a
# header only from the libraries it links. An include that points up a layer
# finds no file, and a call that points up finds no symbol: there is no link
# group to rescan libraries that call each other.

# Publishes the source folders (relative to the source root) as the include
# root of target.
function(vr_include_root target)
  set(root ${CMAKE_BINARY_DIR}/include_roots/${target})
  foreach(folder IN LISTS ARGN)
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    if(NOT EXISTS ${root}/${folder})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    endif()
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# The sources of a folder, without main.cpp and without the folder's ui/ part.
function(vr_folder_sources out folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${folder}/*.cpp ${folder}/*.h)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  list(FILTER sources EXCLUDE REGEX "^${folder}/ui/")
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

function(vr_has_cpp out)
  set(result FALSE)
  foreach(s IN LISTS ARGN)
    if(s MATCHES "\\.cpp$")
      set(result TRUE)
    endif()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# One static library per subsystem folder, built from every source in it,
# declaring the libraries it uses (DEPS, each a layer below). A folder with no
# sources yet is a header-only target with the same name and uses.
#
# A ui/ subfolder is the subsystem's own widget part (its dialogs): the target
# <name>_ui, built on the subsystem and UI_DEPS (the widget layer). The
# subsystem itself never sees it.
function(vr_subsystem name)
  cmake_parse_arguments(ARG "" "" "DEPS;UI_DEPS" ${ARGN})
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})

  vr_folder_sources(sources ${CMAKE_CURRENT_SOURCE_DIR})
  vr_has_cpp(has_cpp ${sources})
  if(has_cpp)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
  vr_include_root(${name} ${folder})

  file(GLOB_RECURSE ui_sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.h)
  vr_has_cpp(has_ui_cpp ${ui_sources})
  if(has_ui_cpp)
    add_library(${name}_ui STATIC ${ui_sources})
    target_link_libraries(${name}_ui PUBLIC ${name} ${ARG_UI_DEPS})
    vr_include_root(${name}_ui ${folder}/ui)
  endif()
endfunction()
