# Fails, naming each file and line, when a source file includes a header of a
# layer above its own. Run as
#   cmake -DSOURCE_DIR=<folder that holds the layer folders> -P CheckLayers.cmake
#
cmake_minimum_required(VERSION 3.20)

# The layers from the bottom up. The programs' folders (views, cli) are the top
# and never include each other.
set(layers platform archive money lists report zip receipts export backup app)
set(programs views cli)

get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
if(NOT IS_DIRECTORY "${SOURCE_DIR}")
    message(FATAL_ERROR "CheckLayers: no folder \"${SOURCE_DIR}\"")
endif()

function(layer_rank name out)
    list(FIND layers ${name} rank)
    if(rank EQUAL -1 AND name IN_LIST programs)
        list(LENGTH layers rank)
    endif()
    set(${out} ${rank} PARENT_SCOPE)
endfunction()

set(violations)
file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
list(SORT sources)
foreach(source IN LISTS sources)
    string(REGEX MATCH "^[^/]+" own "${source}")
    layer_rank(${own} own_rank)
    if(own_rank EQUAL -1)
        continue()
    endif()
    file(STRINGS "${SOURCE_DIR}/${source}" lines)
    set(number 0)
    foreach(line IN LISTS lines)
        math(EXPR number "${number} + 1")
        if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([^/\"]+)/[^\"]*\"")
            continue()
        endif()
        set(included ${CMAKE_MATCH_1})
        layer_rank(${included} included_rank)
        if(included_rank EQUAL -1 OR included STREQUAL own)
            continue()
        endif()
        if(included_rank GREATER own_rank OR (own IN_LIST programs AND included IN_LIST programs))
            string(STRIP "${line}" line)
            list(APPEND violations "${source}:${number}: ${own}/ must not ${line}")
        endif()
    endforeach()
endforeach()

if(violations)
    list(JOIN violations "\n" text)
    message(FATAL_ERROR "Includes that point upwards:\n${text}")
endif()
