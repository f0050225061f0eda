# Writes the link graph of the project's own targets to a file for
# tools/check-layers: one line per target, "name<TAB>type<TAB>links", the
# links being the target's LINK_LIBRARIES and INTERFACE_LINK_LIBRARIES as
# written in the CMakeLists (separated by ";"). Call it last, once every
# target exists.

function(_snapvane_collect_targets dir out)
  get_property(_targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(_subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(_sub ${_subdirs})
    # Only the project's own folders: GoogleTest is built from outside.
    string(FIND "${_sub}/" "${CMAKE_SOURCE_DIR}/" _at)
    if(_at EQUAL 0)
      _snapvane_collect_targets(${_sub} _more)
      list(APPEND _targets ${_more})
    endif()
  endforeach()
  set(${out} ${_targets} PARENT_SCOPE)
endfunction()

function(snapvane_write_link_graph file)
  _snapvane_collect_targets(${CMAKE_SOURCE_DIR} _targets)
  set(_text "")
  foreach(_t ${_targets})
    get_target_property(_type ${_t} TYPE)
    if(_type STREQUAL "UTILITY" OR _type STREQUAL "GLOBAL_TARGET")
      continue()
    endif()
    set(_links "")
    if(NOT _type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(_own ${_t} LINK_LIBRARIES)
      if(_own)
        list(APPEND _links ${_own})
      endif()
    endif()
    get_target_property(_interface ${_t} INTERFACE_LINK_LIBRARIES)
    if(_interface)
      list(APPEND _links ${_interface})
    endif()
    list(REMOVE_DUPLICATES _links)
    string(APPEND _text "${_t}\t${_type}\t${_links}\n")
  endforeach()
  file(WRITE ${file} "${_text}")
endfunction()
