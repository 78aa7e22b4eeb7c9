cmake_minimum_required(VERSION 3.25)

# The tutor's folders stand in layers and include only downward: a folder may include its own
# headers and those of the layers below it, never of a layer above or of a neighbour on its own
# layer. Run as: cmake -DSOURCE_DIR=<repository> -P check_layers.cmake

set(layer_platform 0)
set(layer_app 1)
set(layer_users 2)
set(layer_typing 3)
set(layer_lessons 4)
set(layer_drills 4)
set(layer_settings 4)
set(layer_mainwindow 5)
set(folders platform app users typing lessons drills settings mainwindow)

# A controller that its window drives must not drive the window in turn.
set(forbidden_lessons/cLesson "lessons/frmLessons.h")

set(faults "")
foreach(folder IN LISTS folders)
    file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
    foreach(source IN LISTS sources)
        file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+/[^\"]+\"")
        string(REGEX REPLACE "\\.(h|cpp)$" "" stem ${source})
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" header "${line}")
            string(REGEX REPLACE "/.*$" "" target "${header}")
            if(target STREQUAL folder)
                if(header IN_LIST forbidden_${stem})
                    list(APPEND faults "${source} includes ${header}")
                endif()
            elseif(NOT DEFINED layer_${target})
                list(APPEND faults "${source} includes ${header} from a folder outside the layers")
            elseif(NOT layer_${target} LESS layer_${folder})
                list(APPEND faults "${source} (${folder}) includes ${header} (${target}), which is not below it")
            endif()
        endforeach()
    endforeach()
endforeach()

if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "Includes against the layers:\n  ${text}")
endif()
message(STATUS "Every include goes downward.")
