# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes the web page's folder PAGE from the program built for the web (its
# folder PROGRAM) and the page's sources under SOURCE (resources/web), for
# Menvori VERSION. STYLE_SOURCES are the Content-Security-Policy sources of
# the style sheets Qt's platform puts into the page; QT_LICENCES the folder
# with Qt's licence and notices; QT_VERSION and QT_DEBIAN_VERSION say which
# Qt, from which of Debian's source packages.
#   cmake -DSOURCE=... -DPROGRAM=... -DPAGE=... -DVERSION=... -DSTYLE_SOURCES=... -DQT_LICENCES=...
#         -DQT_VERSION=... -DQT_DEBIAN_VERSION=... -P make_page.cmake
set(web ${SOURCE}/resources/web)
file(REMOVE_RECURSE ${PAGE})
file(MAKE_DIRECTORY ${PAGE}/icons ${PAGE}/licences)

file(COPY ${PROGRAM}/menvori.js ${PROGRAM}/menvori.wasm ${PROGRAM}/qtloader.js
     ${web}/pagina.js ${web}/menvori.css ${web}/manifest.webmanifest
     DESTINATION ${PAGE})
file(COPY_FILE ${SOURCE}/resources/icons/menvori.svg ${PAGE}/icons/menvori.svg)
foreach(size 192 512)
    file(COPY_FILE ${SOURCE}/resources/icons/hicolor/${size}x${size}/menvori.png ${PAGE}/icons/menvori-${size}.png)
endforeach()

# The licences of everything in the program's code: its own, its faces',
# Qt's with the third-party code inside it, and those of emscripten's
# runtime libraries compiled in with it (Debian's record of them).
file(COPY_FILE ${SOURCE}/LICENSES/GPL-3.0-or-later.txt ${PAGE}/licences/Menvori-GPL-3.0-or-later.txt)
file(COPY_FILE ${SOURCE}/resources/fonts/LICENSE-Liberation.txt ${PAGE}/licences/Liberation-fonts.txt)
file(COPY_FILE ${SOURCE}/LICENSES/OFL-1.1.txt ${PAGE}/licences/OFL-1.1.txt)
if(QT_LICENCES)
    file(GLOB qt_licences ${QT_LICENCES}/*)
    file(COPY ${qt_licences} DESTINATION ${PAGE}/licences)
endif()
if(EXISTS /usr/share/doc/emscripten/copyright)
    file(COPY_FILE /usr/share/doc/emscripten/copyright ${PAGE}/licences/emscripten-copyright.txt)
endif()
# Where the source of it all is: the archive made beside the zip.
set(SOURCE_ARCHIVE menvori-${VERSION}-web-source.tar.xz)
configure_file(${web}/source-code.txt.in ${PAGE}/licences/Source-code-Codi-font.txt @ONLY)

# The page: what it may load is only its own files (its scripts and the
# program's code, which the browser compiles), the pictures Qt's window
# frames carry in the page itself, and the style sheets named.
# (Each source quoted here: quotes do not survive the way to this script.)
string(REPLACE "'" "" STYLE_SOURCES "${STYLE_SOURCES}")
separate_arguments(STYLE_SOURCES)
list(TRANSFORM STYLE_SOURCES REPLACE "^(.+)$" "'\\1'")
list(JOIN STYLE_SOURCES " " STYLE_SOURCES)
set(MENVORI_CSP "default-src 'none'; script-src 'self' 'wasm-unsafe-eval'; connect-src 'self'; img-src 'self' data:; style-src 'self' ${STYLE_SOURCES}; manifest-src 'self'; worker-src 'self'; base-uri 'none'; form-action 'none'")
string(STRIP "${MENVORI_CSP}" MENVORI_CSP)
file(SIZE ${PAGE}/menvori.wasm MENVORI_WASM_BYTES)
configure_file(${web}/index.html.in ${PAGE}/index.html @ONLY)

# The service worker keeps the page's files under a name that changes with
# any of them, so that a new build replaces what a browser kept.
file(GLOB_RECURSE files RELATIVE ${PAGE} ${PAGE}/*)
list(SORT files)
set(digests "")
set(MENVORI_PAGE_FILES "'./'")
foreach(file IN LISTS files)
    file(SHA256 ${PAGE}/${file} digest)
    string(APPEND digests "${file} ${digest}\n")
    if(NOT file MATCHES "^licences/")
        string(APPEND MENVORI_PAGE_FILES ", '${file}'")
    endif()
endforeach()
string(SHA256 all "${digests}")
string(SUBSTRING ${all} 0 12 all)
set(MENVORI_PAGE_VERSION ${VERSION}-${all})
configure_file(${web}/sw.js.in ${PAGE}/sw.js @ONLY)
