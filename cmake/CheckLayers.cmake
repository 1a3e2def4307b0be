# Checks the include order of the layers: platform <- model <- layout <- the
# trainer's folders. A folder may include its own headers and those of the
# layers below it; the picture painter reads the platform and the layout only.
#   cmake -DSOURCE_DIR=<repository> -P CheckLayers.cmake

cmake_minimum_required(VERSION 3.25)
set(rules
    "src/platform|platform"
    "src/model|platform model"
    "src/layout|platform model layout"
    "resources/painter|platform layout")

set(faults "")
foreach(rule IN LISTS rules)
    string(REPLACE "|" ";" parts "${rule}")
    list(GET parts 0 folder)
    list(GET parts 1 allowed)
    string(REPLACE " " ";" allowed "${allowed}")
    file(GLOB_RECURSE files "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
    foreach(file IN LISTS files)
        file(STRINGS "${file}" includes REGEX "^#include \"[a-z_]+/")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" target "${line}")
            if(NOT target IN_LIST allowed)
                file(RELATIVE_PATH shown "${SOURCE_DIR}" "${file}")
                string(APPEND faults "  ${shown}: ${line} (${folder} may include ${allowed})\n")
            endif()
        endforeach()
    endforeach()
endforeach()

if(faults)
    message(FATAL_ERROR "Includes against the layer order:\n${faults}")
endif()
message(STATUS "Layer order holds")
