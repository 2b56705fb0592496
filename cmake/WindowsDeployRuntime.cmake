# Install time, for cmake/WindowsDeploy.cmake: copies the DLLs that the programs and plugins
# import from Qt's and the compiler's folders beside the programs.
if(QUILLMAR_DEPLOY_CROSS_OBJDUMP)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND "${QUILLMAR_DEPLOY_CROSS_OBJDUMP}")
endif()
# A PE file's imports are looked up by their lower-case names (Qt6Core.dll as qt6core.dll),
# which a case-sensitive file system does not find: each folder's DLLs are searched as
# lower-case copies instead.
set(search_dirs)
foreach(dir IN LISTS QUILLMAR_DEPLOY_DIRS)
    string(MD5 key "${dir}")
    set(lower_dir "${QUILLMAR_DEPLOY_WORK}/${key}")
    file(MAKE_DIRECTORY "${lower_dir}")
    file(GLOB dlls "${dir}/*.dll")
    foreach(dll IN LISTS dlls)
        get_filename_component(name "${dll}" NAME)
        string(TOLOWER "${name}" lower)
        if(NOT EXISTS "${lower_dir}/${lower}")
            file(COPY_FILE "${dll}" "${lower_dir}/${lower}")
        endif()
    endforeach()
    list(APPEND search_dirs "${lower_dir}")
endforeach()
set(QUILLMAR_DEPLOY_DIRS ${search_dirs})
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
