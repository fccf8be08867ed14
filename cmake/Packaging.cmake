# The Debian package: `cpack --config BUILD/CPackConfig.cmake` (or `./dev
# package`) turns what `cmake --install` places under /usr into
# outlaysheet_VERSION_ARCH.deb. Included after every install rule.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME outlaysheet)
# All four parts, as the programs report it; CPack would drop the fourth.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Tillhouse)
set(CPACK_PACKAGE_CONTACT "Tillhouse <support@tillhouse.example>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The project has no web site of its own yet, so no Homepage field.

# What the binaries link is found from them; what they open by name is not:
# printable reports are set in the Liberation fonts, and phone shells run
# Wayland, whose Qt platform plugin is a package of its own.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
# The debugging information of a RelWithDebInfo build is most of its size.
set(CPACK_STRIP_FILES ON)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/PackageStrip.cmake)
set(CPACK_OUTLAYSHEET_STRIP ${CMAKE_STRIP})

# The description is the README's first paragraph, filled to 72 columns
# (lintian measures the lines with the space in front of each).
file(READ ${PROJECT_SOURCE_DIR}/README.md readme)
if(NOT readme MATCHES "^# [^\n]*\n\n(([^\n]+\n)+)")
    message(FATAL_ERROR "README.md: no first paragraph under its title")
endif()
string(REPLACE "`" "" paragraph "${CMAKE_MATCH_1}")
string(STRIP "${paragraph}" paragraph)
string(REGEX REPLACE "[ \n]+" ";" words "${paragraph}")
set(CPACK_PACKAGE_DESCRIPTION "")
set(line "")
foreach(word IN LISTS words)
    string(LENGTH "${line} ${word}" length)
    if(line STREQUAL "")
        set(line "${word}")
    elseif(length GREATER 72)
        string(APPEND CPACK_PACKAGE_DESCRIPTION "${line}\n")
        set(line "${word}")
    else()
        string(APPEND line " ${word}")
    endif()
endforeach()
string(APPEND CPACK_PACKAGE_DESCRIPTION "${line}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "personal expense-report manager for Linux phones and desktops")

# The release date is the AppStream data's; the changelog carries it.
set(metainfo_template
    ${PROJECT_SOURCE_DIR}/data/desktop/com.tillhouse.Outlaysheet.metainfo.xml.in)
file(STRINGS ${metainfo_template} release REGEX "<release ")
if(NOT release MATCHES "date=\"([0-9-]+)\"")
    message(FATAL_ERROR "${metainfo_template}: no release date")
endif()
execute_process(COMMAND date -u -R -d ${CMAKE_MATCH_1}
    OUTPUT_VARIABLE OUTLAYSHEET_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)

# The copyright file and the changelog Debian looks for in every package's
# documentation folder, beside the README that is the manual; the changelog
# compressed without a time stamp so that the same sources give the same
# package.
set(package_dir ${PROJECT_BINARY_DIR}/package)
configure_file(${PROJECT_SOURCE_DIR}/data/package/changelog.in ${package_dir}/changelog @ONLY)
execute_process(COMMAND gzip -9 -n -c ${package_dir}/changelog
    OUTPUT_FILE ${package_dir}/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${PROJECT_SOURCE_DIR}/data/package/copyright ${package_dir}/changelog.gz
    ${PROJECT_SOURCE_DIR}/README.md
    DESTINATION share/doc/outlaysheet)

# The lintian tags this package keeps, each with its reason; only the
# package carries them, a plain `cmake --install` does not.
set(CPACK_INSTALL_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/PackageOnlyFiles.cmake)
set(CPACK_OUTLAYSHEET_LINTIAN_OVERRIDES ${PROJECT_SOURCE_DIR}/data/package/lintian-overrides)

include(CPack)
