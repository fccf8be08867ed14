# Run by CPack on the staged package, before it is packed
# (CPACK_PRE_BUILD_SCRIPTS): the plain strip of CPACK_STRIP_FILES keeps the
# compiler's version strings, which Debian's own packages drop. The version
# note every module carries is a section of its own and stays.
file(GLOB binaries
    ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/bin/*)
if(NOT binaries)
    message(FATAL_ERROR "no programs staged in ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
execute_process(COMMAND ${CPACK_OUTLAYSHEET_STRIP} --remove-section=.comment ${binaries}
    COMMAND_ERROR_IS_FATAL ANY)
