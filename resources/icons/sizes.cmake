# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# menvori_icon_sizes(out use): the sizes the icon is drawn at for USE (theme,
# web, ico), from its table (sizes.txt, beside this file), for the build and
# for the page's maker alike.
function(menvori_icon_sizes out use)
    set(table ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/sizes.txt)
    if(CMAKE_SCRIPT_MODE_FILE STREQUAL "")
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${table})
    endif()
    file(STRINGS ${table} lines REGEX "^[0-9]")
    set(sizes "")
    foreach(line IN LISTS lines)
        string(REGEX MATCHALL "[^ ]+" fields "${line}")
        list(POP_FRONT fields size)
        list(FIND fields ${use} found)
        if(NOT found EQUAL -1)
            list(APPEND sizes ${size})
        endif()
    endforeach()
    set(${out} ${sizes} PARENT_SCOPE)
endfunction()
