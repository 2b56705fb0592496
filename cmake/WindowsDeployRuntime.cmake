# Install time, for cmake/WindowsDeploy.cmake: copies the DLLs that the programs and plugins
# import from Qt's and the compiler's folders beside the programs.
if(QUILLMAR_DEPLOY_CROSS_OBJDUMP)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND "${QUILLMAR_DEPLOY_CROSS_OBJDUMP}")
endif()
file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES ${QUILLMAR_DEPLOY_PROGRAMS}
    MODULES ${QUILLMAR_DEPLOY_PLUGINS}
    DIRECTORIES ${QUILLMAR_DEPLOY_DIRS}
    PRE_EXCLUDE_REGEXES "^api-ms-" "^ext-ms-"
    RESOLVED_DEPENDENCIES_VAR resolved
    UNRESOLVED_DEPENDENCIES_VAR unresolved)
# Only what those folders hold ships; the rest is Windows' own (kernel32.dll and the like). A Qt
# or runtime DLL that none of them holds is an error, not a smaller package.
set(shipped)
foreach(dll IN LISTS resolved)
    foreach(dir IN LISTS QUILLMAR_DEPLOY_DIRS)
        string(FIND "${dll}" "${dir}/" position)
        if(position EQUAL 0)
            list(APPEND shipped "${dll}")
        endif()
    endforeach()
endforeach()
foreach(dll IN LISTS unresolved)
    if(dll MATCHES "^([Qq]t6|lib)")
        message(FATAL_ERROR "${dll} was found in none of ${QUILLMAR_DEPLOY_DIRS}")
    endif()
endforeach()
list(REMOVE_DUPLICATES shipped)
file(INSTALL ${shipped} DESTINATION "${CMAKE_INSTALL_PREFIX}/${QUILLMAR_DEPLOY_DESTINATION}"
    FOLLOW_SYMLINK_CHAIN)
