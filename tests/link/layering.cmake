# The link sits below the editors: no source of it includes an editor's
# header, and the link library names no editor library.
#   cmake -DLINK_DIR=<src/link> -DEDITOR_LIBS_LINKED=<a:b:...> -P layering.cmake
file(GLOB sources "${LINK_DIR}/*.h" "${LINK_DIR}/*.cpp")
set(faults "")
foreach(f IN LISTS sources)
  file(STRINGS "${f}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]editors/")
  foreach(h IN LISTS hits)
    get_filename_component(name "${f}" NAME)
    string(APPEND faults "\n  ${name}: ${h}")
  endforeach()
endforeach()
if(NOT "${EDITOR_LIBS_LINKED}" STREQUAL "")
  string(APPEND faults "\n  cv_link links ${EDITOR_LIBS_LINKED}")
endif()
if(NOT "${faults}" STREQUAL "")
  message(FATAL_ERROR "the link reaches up into the editors:${faults}")
endif()
