# SPDX-License-Identifier: MIT
# QAV_SOURCE_DATE_EPOCH, the date of the packages: that of the last commit, so that two
# builds of one commit give the same package. SOURCE_DATE_EPOCH set when configuring wins, as
# reproducible-build tools expect; a commit makes the build configure itself again. Outside
# a git checkout, without SOURCE_DATE_EPOCH, it is empty.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(QAV_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
    execute_process(COMMAND git log -1 --format=%ct
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE QAV_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
        RESULT_VARIABLE git_result ERROR_QUIET)
    execute_process(COMMAND git rev-parse --absolute-git-dir
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE git_dir OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(EXISTS "${git_dir}/logs/HEAD")
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${git_dir}/logs/HEAD")
    endif()
    if(NOT git_result EQUAL 0)
        set(QAV_SOURCE_DATE_EPOCH "")
        message(STATUS "Not a git checkout and no SOURCE_DATE_EPOCH: the packages carry "
                       "today's date")
    endif()
endif()
