# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes the Windows Installer package of the program's folder as installed in
# STAGE, for deployment by Group Policy or Intune: installed for every user
# of the computer into Program Files, with a Start menu entry and an entry in
# the list of installed programs (with its icon, no Modify or Repair). A later
# version replaces an earlier one whole (MajorUpgrade: the earlier one is
# removed first), and an earlier version is refused over a later one. Writes
# the WiX source beside OUTPUT and runs Debian's wixl on it.
#   cmake -DSTAGE=... -DWIXL=... -DVERSION=... -DOUTPUT=...msi -P msi.cmake
foreach(var STAGE WIXL VERSION OUTPUT)
    if(NOT ${var})
        message(FATAL_ERROR "msi.cmake needs -D${var}=")
    endif()
endforeach()
get_filename_component(here ${CMAKE_CURRENT_LIST_FILE} DIRECTORY)

# Every version of Menvori's MSI has this upgrade code, and the Start menu
# entry's component this identifier: they must never change. wixl gives the
# files' components identifiers of their own (Guid="*").
set(upgrade_code 8C0EFEDD-98B1-4F83-B3F1-CCC5B50B7790)
set(shortcut_guid 54FC7F65-5400-4DC1-883F-917A8267E201)

# The folders and files of STAGE, as nested Directory elements with a
# Component for each file; the component names go to ${out_refs}.
set(components "")
set(count 0)
function(menvori_wix_folder folder indent out_xml)
    set(xml "")
    file(GLOB entries LIST_DIRECTORIES true RELATIVE ${STAGE}/${folder} ${STAGE}/${folder}*)
    list(SORT entries)
    foreach(entry IN LISTS entries)
        math(EXPR count "${count} + 1")
        set(path ${folder}${entry})
        if(IS_DIRECTORY ${STAGE}/${path})
            set(id d${count})
            menvori_wix_folder(${path}/ "${indent}  " inner)
            string(APPEND xml "${indent}<Directory Id=\"${id}\" Name=\"${entry}\">\n${inner}${indent}</Directory>\n")
        else()
            string(APPEND xml "${indent}<Component Id=\"c${count}\" Guid=\"*\" Win64=\"yes\">"
                "<File Id=\"f${count}\" Source=\"${path}\" KeyPath=\"yes\"/></Component>\n")
            list(APPEND components c${count})
        endif()
    endforeach()
    set(count ${count} PARENT_SCOPE)
    set(components ${components} PARENT_SCOPE)
    set(${out_xml} "${xml}" PARENT_SCOPE)
endfunction()
menvori_wix_folder("" "          " files)
set(refs "")
foreach(component IN LISTS components)
    string(APPEND refs "      <ComponentRef Id=\"${component}\"/>\n")
endforeach()

# wixl takes the files' paths relative to the folder it runs in: STAGE.
file(RELATIVE_PATH icon ${STAGE} ${here}/../icons/menvori.ico)
file(WRITE ${OUTPUT}.wxs "<?xml version=\"1.0\" encoding=\"utf-8\"?>
<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">
  <Product Id=\"*\" Name=\"Menvori\" Language=\"1027\" Codepage=\"1252\" Version=\"${VERSION}\"
           Manufacturer=\"Menvori developers\" UpgradeCode=\"{${upgrade_code}}\">
    <Package InstallerVersion=\"500\" Compressed=\"yes\" InstallScope=\"perMachine\" Languages=\"1027\"
             SummaryCodepage=\"1252\" Description=\"Menvori ${VERSION}: pràctiques de lectura del peu de rei\"/>
    <Media Id=\"1\" Cabinet=\"menvori.cab\" EmbedCab=\"yes\"/>
    <MajorUpgrade DowngradeErrorMessage=\"Ja hi ha instal·lada una versió més nova del Menvori.\"/>
    <Icon Id=\"menvori.ico\" SourceFile=\"${icon}\"/>
    <Property Id=\"ARPPRODUCTICON\" Value=\"menvori.ico\"/>
    <Property Id=\"ARPNOMODIFY\" Value=\"1\"/>
    <Property Id=\"ARPNOREPAIR\" Value=\"1\"/>
    <Directory Id=\"TARGETDIR\" Name=\"SourceDir\">
      <Directory Id=\"ProgramFiles64Folder\">
        <Directory Id=\"INSTALLDIR\" Name=\"Menvori\">
${files}        </Directory>
      </Directory>
      <Directory Id=\"ProgramMenuFolder\">
        <Component Id=\"StartMenuEntry\" Guid=\"{${shortcut_guid}}\" Win64=\"yes\">
          <Shortcut Id=\"MenvoriShortcut\" Name=\"Menvori\" Target=\"[INSTALLDIR]menvori.exe\"
                    WorkingDirectory=\"INSTALLDIR\" Description=\"Pràctiques de lectura del peu de rei\"/>
          <RegistryValue Root=\"HKLM\" Key=\"Software\\Menvori\" Name=\"StartMenuEntry\" Type=\"integer\" Value=\"1\" KeyPath=\"yes\"/>
        </Component>
      </Directory>
    </Directory>
    <Feature Id=\"Menvori\" Level=\"1\">
${refs}      <ComponentRef Id=\"StartMenuEntry\"/>
    </Feature>
  </Product>
</Wix>
")
execute_process(COMMAND ${WIXL} --arch x64 --output ${OUTPUT} ${OUTPUT}.wxs
                WORKING_DIRECTORY ${STAGE} COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "msi: ${OUTPUT}")
