# Installing onto the box, and the release archive.
#
# The plug-in goes to the box's plug-in directory below the install prefix, which stands for
# the box's root: the default prefix of the ppc preset is a copy of that tree under build/, and
# --prefix points it at a mounted box instead. The INSTALL text belongs in the archive only, so
# a plain install leaves nothing beside the plug-in.
set(MORVANE_PLUGIN_DIR lib/kovrin/plugins CACHE STRING
    "The box's plug-in directory, relative to the install prefix")
if(IS_ABSOLUTE "${MORVANE_PLUGIN_DIR}")
    message(FATAL_ERROR "MORVANE_PLUGIN_DIR must be relative to the install prefix, "
                        "not ${MORVANE_PLUGIN_DIR}")
endif()

install(TARGETS morvane LIBRARY DESTINATION ${MORVANE_PLUGIN_DIR} COMPONENT plugin)

configure_file(${CMAKE_CURRENT_LIST_DIR}/INSTALL.in ${CMAKE_BINARY_DIR}/INSTALL @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/INSTALL DESTINATION . COMPONENT notes EXCLUDE_FROM_ALL)

# One archive, stripped, with both components below one top-level directory:
# morvane-VERSION-Linux-powerpc/{INSTALL,lib/kovrin/plugins/morvane.so.0}.
set(CPACK_GENERATOR TGZ)
set(CPACK_SYSTEM_NAME ${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_STRIP_FILES ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL plugin notes)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
