# SPDX-License-Identifier: MIT
# morvint_add_windows_resources(<target>): on Windows, gives the target the
# program's icon and version record (ui/windows/morvint.rc). Does nothing
# elsewhere.
function(morvint_add_windows_resources target)
    if(NOT WIN32)
        return()
    endif()
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    set(source_dir ${PROJECT_SOURCE_DIR}/ui/windows)
    set(gen_dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources)

    # Version text as the version record writes it: minor in two digits.
    if(PROJECT_VERSION_MINOR LESS 10)
        set(MORVINT_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.0${PROJECT_VERSION_MINOR}")
    else()
        set(MORVINT_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
    endif()
    configure_file(${source_dir}/morvint_version.h.in ${gen_dir}/morvint_version.h @ONLY)

    add_custom_command(
        OUTPUT ${gen_dir}/morvint.ico
        COMMAND Python3::Interpreter ${source_dir}/xpm_to_ico.py
                ${PROJECT_SOURCE_DIR}/ui/icons/morvint.xpm ${gen_dir}/morvint.ico
        DEPENDS ${source_dir}/xpm_to_ico.py ${PROJECT_SOURCE_DIR}/ui/icons/morvint.xpm
        COMMENT "Converting the program icon to morvint.ico"
        VERBATIM)
    set_property(SOURCE ${source_dir}/morvint.rc APPEND PROPERTY OBJECT_DEPENDS
                 ${gen_dir}/morvint.ico ${gen_dir}/morvint_version.h)
    target_sources(${target} PRIVATE ${source_dir}/morvint.rc)
    target_include_directories(${target} PRIVATE ${gen_dir})
endfunction()
