# SPDX-FileCopyrightText: 2026 Quire developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a catalogue lacks the translation of a text in the code, or keeps one the code no
# longer has. The .ts files are brought up to date with the sources in copies, never in place.
# cmake -DLUPDATE=<lupdate> -DLRELEASE=<lrelease> -DTS_FILES=<a;b> -DFOLDERS=<a;b> -DWORK=<dir>
#       -P check_catalogue.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
foreach(ts ${TS_FILES})
    get_filename_component(name ${ts} NAME)
    set(copy ${WORK}/${name})
    file(COPY_FILE ${ts} ${copy})
    execute_process(COMMAND ${LUPDATE} -silent -locations none -extensions cpp,h,qml ${FOLDERS}
                            -ts ${copy}
                    RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "lupdate failed on ${name}:\n${log}")
    endif()
    execute_process(COMMAND ${LRELEASE} ${copy} -qm ${WORK}/check.qm
                    RESULT_VARIABLE status OUTPUT_VARIABLE stats ERROR_VARIABLE stats)
    message(STATUS "${name}: ${stats}")
    file(STRINGS ${copy} open REGEX "type=\"(unfinished|vanished|obsolete)\"")
    if(NOT status EQUAL 0 OR open)
        # The source texts of the open entries, to say which ones.
        file(READ ${copy} text)
        string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation type=\"[a-z]+\""
               entries "${text}")
        string(REPLACE ";" "\n" entries "${entries}")
        message(FATAL_ERROR "${name} is not complete (lrelease ${status}):\n${entries}")
    endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
