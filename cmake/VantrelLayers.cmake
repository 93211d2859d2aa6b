# vantrel_check_layers(TARGETS <target>... TOP_FOLDERS <folder>... LAST_FOLDERS <folder>...)
#
# The program's libraries form layers: each may link only what comes before it.
# TARGETS lists every library and program of TOP_FOLDERS, lowest first, in the
# order of the layout table in README.md. The libraries and programs found
# under LAST_FOLDERS (the modules) form one last layer whose members may link
# each other. Configuration stops with an error
#   - when a target links (privately or publicly) one that comes after it, and
#   - when a library or program of TOP_FOLDERS is missing from TARGETS, so a
#     new library cannot slip past the check.
function(vantrel_check_layers)
  cmake_parse_arguments(ARG "" "" "TARGETS;TOP_FOLDERS;LAST_FOLDERS" ${ARGN})

  set(position 0)
  foreach(target IN LISTS ARG_TARGETS)
    if(NOT TARGET ${target})
      message(FATAL_ERROR "Layer order: ${target} is listed but is no target")
    endif()
    set(layer_of_${target} ${position})
    math(EXPR position "${position} + 1")
  endforeach()

  _vantrel_folder_targets(top_targets ${ARG_TOP_FOLDERS})
  foreach(target IN LISTS top_targets)
    if(NOT DEFINED layer_of_${target})
      message(FATAL_ERROR "Layer order: ${target} is missing from the list in vantrel_check_layers")
    endif()
  endforeach()

  _vantrel_folder_targets(last_targets ${ARG_LAST_FOLDERS})
  foreach(target IN LISTS last_targets)
    if(DEFINED layer_of_${target})
      message(FATAL_ERROR "Layer order: ${target} is listed but lives in ${ARG_LAST_FOLDERS}")
    endif()
    set(layer_of_${target} ${position})
  endforeach()

  foreach(target IN LISTS ARG_TARGETS last_targets)
    get_target_property(private_links ${target} LINK_LIBRARIES)
    get_target_property(public_links ${target} INTERFACE_LINK_LIBRARIES)
    foreach(item IN LISTS private_links public_links)
      # A static library's private links reach its users as $<LINK_ONLY:...>.
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" linked "${item}")
      if(DEFINED layer_of_${linked} AND layer_of_${linked} GREATER layer_of_${target})
        message(FATAL_ERROR
          "Layer order: ${target} links ${linked}, which comes after it. "
          "A library may link only those listed before it (README.md, Layout of the code).")
      endif()
    endforeach()
  endforeach()
endfunction()

# The libraries and programs defined in these folders (relative to the source
# tree) and their subfolders.
function(_vantrel_folder_targets out)
  set(found "")
  set(folders "")
  foreach(folder IN LISTS ARGN)
    list(APPEND folders ${CMAKE_SOURCE_DIR}/${folder})
  endforeach()
  while(folders)
    list(POP_FRONT folders folder)
    get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type MATCHES "LIBRARY$" OR type STREQUAL "EXECUTABLE")
        list(APPEND found ${target})
      endif()
    endforeach()
    get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
    list(APPEND folders ${subfolders})
  endwhile()
  set(${out} ${found} PARENT_SCOPE)
endfunction()
