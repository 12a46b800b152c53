# SPDX-FileCopyrightText: 2026 Quire developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the .deb from an already built tree and checks it carries the app, the command-line tool,
# the desktop entry, the metainfo, the icons, the translations and the licence terms.
# cmake -DBINARY_DIR=<build> -DAPP_ID=<id> -P check_deb.cmake
set(out ${BINARY_DIR}/deb-check)
file(REMOVE_RECURSE ${out})
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} -G DEB -B ${out}
                        --config ${BINARY_DIR}/CPackConfig.cmake
                RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
file(GLOB debs ${out}/*.deb)
if(NOT status EQUAL 0 OR NOT debs)
    message(FATAL_ERROR "cpack failed:\n${log}")
endif()
list(GET debs 0 deb)
execute_process(COMMAND dpkg-deb --contents ${deb} OUTPUT_VARIABLE contents RESULT_VARIABLE status)
execute_process(COMMAND dpkg-deb --field ${deb} Depends OUTPUT_VARIABLE depends)
foreach(path
        ./usr/bin/quire ./usr/bin/quire-cli ./usr/libexec/quire/quire-pdf-worker
        ./usr/libexec/quire/quire-compress-worker ./usr/libexec/quire/quire-cli-engine
        ./usr/libexec/quire/quire-cli-compress ./usr/libexec/quire/quire-cli-photos
        ./usr/share/applications/${APP_ID}.desktop
        ./usr/share/metainfo/${APP_ID}.metainfo.xml
        ./usr/share/doc/quire/copyright
        ./usr/share/quire/translations/quire_de.qm
        ./usr/share/icons/hicolor/scalable/apps/${APP_ID}.svg
        ./usr/share/icons/hicolor/48x48/apps/${APP_ID}.png)
    string(FIND "${contents}" " ${path}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${deb} lacks ${path}:\n${contents}")
    endif()
endforeach()
# Libraries found by dpkg-shlibdeps as well as the named run-time modules.
foreach(dependency libqt6gui6 libqpdf libheif1 qml6-module-qtquick-controls tesseract-ocr-eng)
    string(FIND "${depends}" "${dependency}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${deb} does not depend on ${dependency}: ${depends}")
    endif()
endforeach()
file(REMOVE_RECURSE ${out})
