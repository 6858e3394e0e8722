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
# Every file the page loads, but the page itself and its service worker, is
# named by a digest of its contents (menvori.wasm becomes
# menvori.<16 hex digits>.wasm), and the page's own files name each other so:
# a name always means the same bytes, so that a browser or a server keeps a
# file for good, and a page never runs with another build's files.
# Beside them: the version (version.txt), the program's code compressed
# (.gz, .br) for servers that send such files as they are, and the servers'
# settings (.htaccess for Apache, web.config for IIS, nginx.conf for nginx,
# which the README quotes).
set(web ${SOURCE}/resources/web)
file(REMOVE_RECURSE ${PAGE})
file(MAKE_DIRECTORY ${PAGE}/icons ${PAGE}/licences)

file(COPY ${PROGRAM}/menvori.js ${PROGRAM}/menvori.wasm ${PROGRAM}/qtloader.js
     ${web}/pagina.js ${web}/menvori.css
     DESTINATION ${PAGE})
# The icons in the sizes browsers ask of a page to install it (from the
# icon's table), named in the manifest.
include(${SOURCE}/resources/icons/sizes.cmake)
menvori_icon_sizes(icon_sizes web)
file(COPY_FILE ${SOURCE}/resources/icons/menvori.svg ${PAGE}/icons/menvori.svg)
set(MENVORI_MANIFEST_ICONS "")
foreach(size IN LISTS icon_sizes)
    file(COPY_FILE ${SOURCE}/resources/icons/hicolor/${size}x${size}/menvori.png ${PAGE}/icons/menvori-${size}.png)
    string(APPEND MENVORI_MANIFEST_ICONS
        "    { \"src\": \"icons/menvori-${size}.png\", \"sizes\": \"${size}x${size}\", \"type\": \"image/png\" },\n")
endforeach()
configure_file(${web}/manifest.webmanifest.in ${PAGE}/manifest.webmanifest @ONLY)

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

# digest_name FILE: renames FILE (relative to PAGE) to its name with the
# digest of its contents before the extension; DIGESTED_<FILE> is the new
# name, and FILE goes on the list DIGESTED.
function(digest_name file)
    file(SHA256 ${PAGE}/${file} digest)
    string(SUBSTRING ${digest} 0 16 digest)
    string(REGEX REPLACE "^([^.]+)(\\..+)$" "\\1.${digest}\\2" named ${file})
    file(RENAME ${PAGE}/${file} ${PAGE}/${named})
    set(DIGESTED_${file} ${named} PARENT_SCOPE)
    set(DIGESTED ${DIGESTED} ${file} PARENT_SCOPE)
endfunction()
# name_digested FILE: in FILE (relative to PAGE), every name of a file
# already named by its digest, quoted ('...' or "..."), takes that name.
function(name_digested file)
    file(READ ${PAGE}/${file} text)
    foreach(old IN LISTS DIGESTED)
        string(REPLACE "'${old}'" "'${DIGESTED_${old}}'" text "${text}")
        string(REPLACE "\"${old}\"" "\"${DIGESTED_${old}}\"" text "${text}")
    endforeach()
    file(WRITE ${PAGE}/${file} "${text}")
endfunction()

# First the files that name no other (the program's code and loader, the
# icons, and whatever else the page brings), then those that do, the page
# last: each is named by its contents with the names it holds.
set(naming pagina.js menvori.css manifest.webmanifest)
file(GLOB_RECURSE files RELATIVE ${PAGE} ${PAGE}/*)
list(FILTER files EXCLUDE REGEX "^licences/")
list(REMOVE_ITEM files ${naming})
list(SORT files)
set(DIGESTED "")
file(SIZE ${PAGE}/menvori.wasm MENVORI_WASM_BYTES)
foreach(file IN LISTS files)
    digest_name(${file})
endforeach()
foreach(file IN LISTS naming)
    name_digested(${file})
    digest_name(${file})
endforeach()

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

configure_file(${web}/index.html.in ${PAGE}/index.html @ONLY)
name_digested(index.html)

# The service worker knows the page and the files it loads, and keeps them
# whole: the page in itself, word for word, and the files by their names.
# (The page is a JavaScript string there: backslashes, quotes and line ends
# escaped.)
set(MENVORI_PAGE_FILES "")
set(listed "")
foreach(file IN LISTS DIGESTED)
    file(SHA256 ${PAGE}/${DIGESTED_${file}} digest)
    string(APPEND listed "${DIGESTED_${file}} ${digest}\n")
    list(APPEND MENVORI_PAGE_FILES "'${DIGESTED_${file}}'")
endforeach()
list(SORT MENVORI_PAGE_FILES)
list(JOIN MENVORI_PAGE_FILES ", " MENVORI_PAGE_FILES)
file(READ ${PAGE}/index.html MENVORI_PAGE)
file(SHA256 ${PAGE}/index.html digest)
string(APPEND listed "index.html ${digest}\n")
string(REPLACE "\\" "\\\\" MENVORI_PAGE "${MENVORI_PAGE}")
string(REPLACE "'" "\\'" MENVORI_PAGE "${MENVORI_PAGE}")
string(REPLACE "\n" "\\n" MENVORI_PAGE "${MENVORI_PAGE}")
string(SHA256 all "${listed}")
string(SUBSTRING ${all} 0 16 all)
set(MENVORI_PAGE_VERSION ${VERSION}-${all})
configure_file(${web}/sw.js.in ${PAGE}/sw.js @ONLY)

# Which version this is, for whoever looks at the folder on a server: the
# folder keeps its name from one version to the next.
file(WRITE ${PAGE}/version.txt "Menvori ${VERSION} (${MENVORI_PAGE_VERSION})\n")

# The program's code as gzip and brotli send it, for servers that send a
# file's compressed copy where there is one (nginx's gzip_static, Apache with
# the .htaccess here): made once, at the highest levels.
# (COMPRESSED_COPIES=OFF leaves them out, for a page made only to be tried.)
if(NOT DEFINED COMPRESSED_COPIES OR COMPRESSED_COPIES)
    set(wasm ${PAGE}/${DIGESTED_menvori.wasm})
    find_program(BROTLI brotli REQUIRED)
    execute_process(COMMAND gzip -9 -n -k -f ${wasm} COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${BROTLI} -q 11 -f -o ${wasm}.br ${wasm} COMMAND_ERROR_IS_FATAL ANY)
endif()

# The servers' settings: the types, compression, and how long a browser may
# keep each file. IIS takes them file by file (its settings have no patterns).
file(COPY_FILE ${web}/htaccess ${PAGE}/.htaccess)
file(COPY_FILE ${web}/nginx.conf ${PAGE}/nginx.conf)
set(MENVORI_IIS_FILES "")
foreach(file IN LISTS DIGESTED)
    string(APPEND MENVORI_IIS_FILES "  <location path=\"${DIGESTED_${file}}\">
    <system.webServer>
      <staticContent>
        <clientCache cacheControlMode=\"UseMaxAge\" cacheControlMaxAge=\"365.00:00:00\" cacheControlCustom=\"public, immutable\" />
      </staticContent>
    </system.webServer>
  </location>
")
endforeach()
configure_file(${web}/web.config.in ${PAGE}/web.config @ONLY)
