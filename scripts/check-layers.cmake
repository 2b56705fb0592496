# Checks the include graph of src/: each folder is a layer and may include only its own headers
# and those of the layers below it, in the order the README draws them. An include that points
# up or sideways (app and cli use each other not at all) fails with the place it is written;
# the core also includes no Qt. The build runs this before it compiles anything; by hand:
#
#   cmake -DSOURCE_DIR=src -P scripts/check-layers.cmake              # check
#   cmake -DSOURCE_DIR=src -DGRAPH=ON -P scripts/check-layers.cmake   # and print the graph
#
# STAMP, when given, is the file to touch once everything is in order.

cmake_minimum_required(VERSION 3.25)

# Lowest first; one entry a layer, folders of the same rank separated by blanks.
set(LAYERS "model" "import" "framework" "hierarchy" "widgets" "import/dialog" "document" "views"
           "frames" "app cli")

if(NOT SOURCE_DIR)
    message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=<src> [-DGRAPH=ON] -P check-layers.cmake")
endif()
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)

# The folder a path below src/ belongs to, and that folder's rank (-1 when none is known).
function(layer_of relative folder_var rank_var)
    string(REGEX MATCH "^import/dialog/" in_dialog "${relative}")
    if(in_dialog)
        set(folder "import/dialog")
    else()
        string(REGEX REPLACE "/.*" "" folder "${relative}")
    endif()
    set(rank -1)
    set(index 0)
    foreach(entry IN LISTS LAYERS)
        string(REPLACE " " ";" folders "${entry}")
        if(folder IN_LIST folders)
            set(rank ${index})
        endif()
        math(EXPR index "${index} + 1")
    endforeach()
    set(${folder_var} "${folder}" PARENT_SCOPE)
    set(${rank_var} ${rank} PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
list(SORT sources)
set(problems "")
set(edges "")
foreach(source IN LISTS sources)
    layer_of("${source}" folder rank)
    if(rank LESS 0)
        string(APPEND problems "${source}: the folder ${folder} is no layer (scripts/check-layers.cmake)\n")
        continue()
    endif()
    file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*" "\\1" header "${line}")
        if(line MATCHES "include[ \t]*<Q" AND rank LESS 2)
            string(APPEND problems "${source}: the standard-C++ core includes <${header}>\n")
        endif()
        if(NOT line MATCHES "include[ \t]*\"" OR NOT EXISTS "${SOURCE_DIR}/${header}")
            continue()
        endif()
        layer_of("${header}" target_folder target_rank)
        if(target_folder STREQUAL folder)
            continue()
        endif()
        list(APPEND edges "${folder} -> ${target_folder}")
        if(NOT target_rank LESS rank)
            string(APPEND problems
                   "${source}: includes ${header}, but ${folder} lies below ${target_folder}\n")
        endif()
    endforeach()
endforeach()

if(GRAPH)
    list(REMOVE_DUPLICATES edges)
    list(SORT edges)
    foreach(edge IN LISTS edges)
        message("${edge}")
    endforeach()
endif()
if(problems)
    message(FATAL_ERROR "Includes that break the layers (see the README, \"The folders\"):\n${problems}")
endif()
if(STAMP)
    file(TOUCH "${STAMP}")
endif()
