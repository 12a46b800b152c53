# SPDX-FileCopyrightText: 2026 Quire developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The layers hold: the command-line tools need no UI libraries (their ELF needed lists), the core
# includes no UI module, and no include runs back up the folders' order.
# quire-cli itself, which answers help at once, loads nothing but Qt Core and the C++ runtime.
# The compress helper and the photos' runner load none of the PDF, OCR, geometry and HEIF
# libraries; the compress runner none of the OCR and Poppler ones.
# In: BINARIES, FRONT, COMPRESS_WORKER, COMPRESS_RUNNER, PHOTOS_RUNNER, SOURCE_DIR, CORE_FOLDERS,
# APP_FOLDERS
# (lists joined by '|').
string(REPLACE "|" ";" BINARIES "${BINARIES}")
string(REPLACE "|" ";" CORE_FOLDERS "${CORE_FOLDERS}")
string(REPLACE "|" ";" APP_FOLDERS "${APP_FOLDERS}")
set(failures "")

find_program(READELF NAMES readelf REQUIRED)
foreach(binary ${BINARIES})
    execute_process(COMMAND ${READELF} -d ${binary} OUTPUT_VARIABLE dynamic RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        string(APPEND failures "cannot read ${binary}\n")
        continue()
    endif()
    string(REGEX MATCHALL "NEEDED[^\n]*\\[[^]]+\\]" needed "${dynamic}")
    foreach(line ${needed})
        if(line MATCHES "libQt6(Quick|Qml|Network|DBus|Widgets)[A-Za-z]*\\.so")
            get_filename_component(name ${binary} NAME)
            string(APPEND failures "${name} needs ${CMAKE_MATCH_0}\n")
        endif()
    endforeach()
endforeach()

execute_process(COMMAND ${READELF} -d ${FRONT} OUTPUT_VARIABLE dynamic)
string(REGEX MATCHALL "NEEDED[^\n]*\\[[^]]+\\]" needed "${dynamic}")
foreach(line ${needed})
    if(NOT line MATCHES "\\[(libQt6Core|libstdc\\+\\+|libgcc_s|libc|libm|libasan|libubsan)\\.so")
        string(APPEND failures "quire-cli needs more than Qt Core: ${line}\n")
    endif()
endforeach()

# A photo's helper and runner start for every photo: they load no library that only other formats
# or other jobs use (libheif is opened with the first HEIF photo).
foreach(binary ${COMPRESS_WORKER} ${PHOTOS_RUNNER})
    execute_process(COMMAND ${READELF} -d ${binary} OUTPUT_VARIABLE dynamic)
    if(dynamic MATCHES
       "\\[(libpoppler[^]]*|libqpdf[^]]*|liblept[^]]*|libtesseract[^]]*|libopencv[^]]*|libheif[^]]*)\\]")
        get_filename_component(name ${binary} NAME)
        string(APPEND failures "${name} needs ${CMAKE_MATCH_1}\n")
    endif()
endforeach()
execute_process(COMMAND ${READELF} -d ${COMPRESS_RUNNER} OUTPUT_VARIABLE dynamic)
if(dynamic MATCHES "\\[(libpoppler[^]]*|liblept[^]]*|libtesseract[^]]*)\\]")
    string(APPEND failures "quire-cli-compress needs ${CMAKE_MATCH_1}\n")
endif()

# The core includes no UI module, and no include runs back up: the folders are listed from the
# ground up, and each may include only itself and those before it.
set(below "")
foreach(folder ${CORE_FOLDERS} ${APP_FOLDERS})
    list(APPEND below ${folder})
    set(above ${CORE_FOLDERS} ${APP_FOLDERS})
    list(REMOVE_ITEM above ${below})
    string(JOIN "|" higher ${above} "-") # "-": no folder, so that the top one matches nothing
    set(ui "")
    list(FIND CORE_FOLDERS ${folder} core)
    if(core GREATER -1)
        set(ui "|<Q(Quick|Qml|tQml|tQuick|Widgets|Network)")
    endif()
    file(GLOB_RECURSE sources ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
    foreach(source ${sources})
        file(STRINGS ${source} includes REGEX "^#include ([\"<](${higher})/${ui})")
        foreach(include ${includes})
            file(RELATIVE_PATH name ${SOURCE_DIR} ${source})
            string(APPEND failures "${name}: ${include}\n")
        endforeach()
    endforeach()
endforeach()

if(failures)
    message(FATAL_ERROR "The layers do not hold:\n${failures}")
endif()
