# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes the Windows installer of the program's folder as installed in STAGE:
# lists its files for the installer (File) and the uninstaller (Delete,
# RMDir), and runs makensis on menvori.nsi.
#   cmake -DSTAGE=... -DMAKENSIS=... -DVERSION=... -DMUTEX=... -DOUTPUT=...setup.exe -P installer.cmake
foreach(var STAGE MAKENSIS VERSION MUTEX OUTPUT)
    if(NOT ${var})
        message(FATAL_ERROR "installer.cmake needs -D${var}=")
    endif()
endforeach()
get_filename_component(here ${CMAKE_CURRENT_LIST_FILE} DIRECTORY)
set(stage ${STAGE})
set(work ${OUTPUT}.lists)
file(MAKE_DIRECTORY ${work})

file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${stage} ${stage}/*)
list(SORT files)
set(install "")
set(uninstall "")
set(folders "")
set(bytes 0)
set(current "-")
foreach(file IN LISTS files)
    get_filename_component(folder ${file} DIRECTORY)
    if(NOT folder STREQUAL current)
        set(current ${folder})
        string(REPLACE "/" "\\" windowsFolder "${folder}")
        string(APPEND install "SetOutPath \"$INSTDIR\\${windowsFolder}\"\n")
        if(folder)
            list(APPEND folders ${folder})
        endif()
    endif()
    string(REPLACE "/" "\\" windowsFile "${file}")
    string(APPEND install "File \"${stage}/${file}\"\n")
    string(APPEND uninstall "Delete \"$INSTDIR\\${windowsFile}\"\n")
    file(SIZE ${stage}/${file} size)
    math(EXPR bytes "${bytes} + ${size}")
endforeach()
# Folders deepest first, each only once it is empty.
list(REVERSE folders)
foreach(folder IN LISTS folders)
    string(REPLACE "/" "\\" windowsFolder "${folder}")
    string(APPEND uninstall "RMDir \"$INSTDIR\\${windowsFolder}\"\n")
endforeach()
file(WRITE ${work}/files.nsh "${install}")
file(WRITE ${work}/unfiles.nsh "${uninstall}")
math(EXPR kilobytes "(${bytes} + 1023) / 1024")

execute_process(COMMAND ${MAKENSIS} -V2 -DVERSION=${VERSION} -DICON=${here}/../icons/menvori.ico -DMUTEX=${MUTEX}
                        -DFILES=${work}/files.nsh -DUNFILES=${work}/unfiles.nsh -DSIZE_KB=${kilobytes}
                        -DOUTFILE=${OUTPUT} ${here}/menvori.nsi
                COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "installer: ${OUTPUT}, ${kilobytes} KiB installed")
