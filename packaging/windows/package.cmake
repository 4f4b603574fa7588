# SPDX-License-Identifier: MIT
# Makes the zip and the installer for Windows from a fresh installation of the build, for the
# target windows-package. Both hold what the installation holds, no more.
#   cmake -DBUILD=DIR -DPACKAGE=DIR -DNAME=QAVMaker-X.Y.Z -DZIP=FILE.zip -DZIP_PROGRAM=zip
#         -DNSIS_SCRIPT=FILE.nsi -DMAKENSIS=makensis -DEPOCH=SECONDS [-DSTRIP=strip]
#         -P package.cmake
foreach(variable BUILD PACKAGE NAME ZIP ZIP_PROGRAM NSIS_SCRIPT MAKENSIS EPOCH)
    if("${${variable}}" STREQUAL "" OR "${${variable}}" MATCHES "-NOTFOUND$")
        message(FATAL_ERROR "package.cmake: no ${variable} given (found: '${${variable}}')")
    endif()
endforeach()

set(root ${PACKAGE}/${NAME})
file(REMOVE_RECURSE ${PACKAGE})
# The linker and strip write the time into a program's header, or this date if it is set.
set(ENV{SOURCE_DATE_EPOCH} ${EPOCH})
set(strip "")
if(STRIP)
    set(strip --strip)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${root} ${strip}
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
list(SORT files)
# The libraries as they come carry their debug data, a third of Qt's size and most of the
# C++ runtime's; their exports stay.
if(STRIP)
    foreach(file IN LISTS files)
        if(file MATCHES "[.]dll$")
            execute_process(COMMAND ${STRIP} --strip-unneeded ${root}/${file}
                            COMMAND_ERROR_IS_FATAL ANY)
        endif()
    endforeach()
endif()

# The zip, with the files in a folder of the package's name. Zip stores times as the local
# time; in UTC and without the extra fields of Unix times and owners, it holds the commit's
# date and nothing of the machine that made it. (CMake's zip writer would store the
# installed files' access and change times.)
set(listing "")
foreach(file IN LISTS files)
    string(APPEND listing "${NAME}/${file}\n")
endforeach()
file(WRITE ${PACKAGE}/zip-files.txt "${listing}")
list(TRANSFORM files PREPEND ${root}/ OUTPUT_VARIABLE paths)
execute_process(COMMAND touch -d @${EPOCH} ${paths} COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP_PROGRAM} -X -D -q -9 -@ ${ZIP}
                INPUT_FILE ${PACKAGE}/zip-files.txt
                WORKING_DIRECTORY ${PACKAGE}
                COMMAND_ERROR_IS_FATAL ANY)

# The installer's lists of files: what it writes, folder by folder, and what its uninstaller
# deletes, files first, then the folders, deepest first, so that each is empty when it goes.
set(install "")
set(uninstall "")
set(folders "")
set(last_folder "-")
foreach(file IN LISTS files)
    get_filename_component(folder "${file}" DIRECTORY)
    string(REPLACE "/" "\\" windows_file "${file}")
    if(NOT folder STREQUAL last_folder)
        string(REPLACE "/" "\\" windows_folder "\\${folder}")
        if(folder STREQUAL "")
            set(windows_folder "")
        endif()
        string(APPEND install "    SetOutPath \"$INSTDIR${windows_folder}\"\n")
        set(last_folder "${folder}")
    endif()
    string(APPEND install "    File \"${root}/${file}\"\n")
    string(APPEND uninstall "    Delete \"$INSTDIR\\${windows_file}\"\n")
    while(NOT folder STREQUAL "")
        list(APPEND folders "${folder}")
        get_filename_component(folder "${folder}" DIRECTORY)
    endwhile()
endforeach()
list(REMOVE_DUPLICATES folders)
list(SORT folders)
list(REVERSE folders)
foreach(folder IN LISTS folders)
    string(REPLACE "/" "\\" folder "${folder}")
    string(APPEND uninstall "    RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()
string(APPEND install "    SetOutPath \"$INSTDIR\"\n")
file(WRITE ${PACKAGE}/install.nsh "${install}")
file(WRITE ${PACKAGE}/uninstall.nsh "${uninstall}")

execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${EPOCH}
                        ${MAKENSIS} -V2 -WX -INPUTCHARSET UTF8 ${NSIS_SCRIPT}
                COMMAND_ERROR_IS_FATAL ANY)
