# What a Windows build needs beyond the sources: the compiler's runtime DLLs, which ship beside
# the programs, and, when cross-building on Linux, Wine to run the programs and the tests
# (ctest runs every Windows program through ${CMAKE_BINARY_DIR}/wine-run).

# The MinGW-w64 C++ runtime. The programs link it as DLLs, as Qt's DLLs do, so that a process
# holds one C++ runtime; MSVC's runtime comes with InstallRequiredSystemLibraries instead.
set(QUILLMAR_RUNTIME_DLLS)
if(MINGW)
    foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
            OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
        get_filename_component(path "${path}" REALPATH)
        if(NOT EXISTS "${path}")
            message(FATAL_ERROR "${CMAKE_CXX_COMPILER} has no ${dll}")
        endif()
        list(APPEND QUILLMAR_RUNTIME_DLLS "${path}")
    endforeach()
endif()

# Qt's German texts, which ship with the programs. The Qt built for Windows here has none of its
# own, so the build machine's (the same version) are taken.
get_target_property(qt_core Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(QUILLMAR_QT_BIN "${qt_core}" DIRECTORY)
find_file(QUILLMAR_QT_GERMAN qtbase_de.qm
    PATHS ${QUILLMAR_QT_BIN}/../translations ${QT_HOST_PATH}/share/qt6/translations
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT QUILLMAR_QT_GERMAN)
    message(FATAL_ERROR "Qt's German translation qtbase_de.qm was not found "
        "(Debian: qt6-translations-l10n)")
endif()

if(CMAKE_CROSSCOMPILING AND CMAKE_HOST_UNIX)
    find_program(QUILLMAR_WINE NAMES wine wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
    find_program(QUILLMAR_WINESERVER NAMES wineserver wineserver64 PATHS /usr/lib/wine
        NO_CMAKE_FIND_ROOT_PATH)
    if(QUILLMAR_WINE AND QUILLMAR_WINESERVER)
        # Windows finds DLLs on its PATH; Wine takes that from WINEPATH, in Windows' words.
        set(dll_dirs)
        foreach(dll IN LISTS QUILLMAR_RUNTIME_DLLS)
            get_filename_component(dir "${dll}" DIRECTORY)
            list(APPEND dll_dirs "${dir}")
        endforeach()
        list(APPEND dll_dirs "${QUILLMAR_QT_BIN}")
        list(REMOVE_DUPLICATES dll_dirs)
        list(TRANSFORM dll_dirs PREPEND "Z:")
        set(QUILLMAR_WINEPATH "${dll_dirs}")
        set(QUILLMAR_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")
        configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${CMAKE_BINARY_DIR}/wine-run
            @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
            GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
        set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
    endif()
endif()
