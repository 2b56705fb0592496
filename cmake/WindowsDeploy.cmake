# Installs beside Windows programs what they load, as windeployqt would, so the installer and the
# ZIP run on a Windows that has no Qt: the DLLs they import (Qt's and the compiler's runtime,
# found from the programs' and plugins' own import tables), Qt's plugins for the windows platform,
# the styles and the image formats, and Qt's German texts. The MinGW-w64 Qt built here has no
# windeployqt, and one way for every Windows build is one way to check.
function(quillmar_deploy_windows)
    cmake_parse_arguments(arg "" "DESTINATION" "TARGETS" ${ARGN})

    set(plugin_targets
        Qt6::QWindowsIntegrationPlugin
        Qt6::QWindowsVistaStylePlugin Qt6::QModernWindowsStylePlugin
        Qt6::QICOPlugin Qt6::QGifPlugin Qt6::QJpegPlugin
        Qt6::QSvgPlugin Qt6::QSvgIconPlugin)
    set(plugins)
    foreach(plugin IN LISTS plugin_targets)
        if(TARGET ${plugin})
            get_target_property(type ${plugin} QT_PLUGIN_TYPE)
            install(FILES $<TARGET_FILE:${plugin}> DESTINATION ${arg_DESTINATION}/${type})
            list(APPEND plugins $<TARGET_FILE:${plugin}>)
        endif()
    endforeach()
    if(NOT TARGET Qt6::QWindowsIntegrationPlugin)
        message(FATAL_ERROR "This Qt has no windows platform plugin to deploy")
    endif()

    # Qt finds its translations in "translations" beside a deployed Qt6Core.dll.
    install(FILES ${QUILLMAR_QT_GERMAN} DESTINATION ${arg_DESTINATION}/translations)

    set(dll_dirs ${QUILLMAR_QT_BIN})
    foreach(dll IN LISTS QUILLMAR_RUNTIME_DLLS)
        get_filename_component(dir "${dll}" DIRECTORY)
        list(APPEND dll_dirs "${dir}")
    endforeach()
    set(programs)
    foreach(target IN LISTS arg_TARGETS)
        list(APPEND programs $<TARGET_FILE:${target}>)
    endforeach()
    # A Linux build machine reads the import tables with the cross binutils.
    set(cross_objdump "")
    if(CMAKE_CROSSCOMPILING)
        set(cross_objdump "${CMAKE_OBJDUMP}")
    endif()
    install(CODE "
        set(QUILLMAR_DEPLOY_PROGRAMS \"${programs}\")
        set(QUILLMAR_DEPLOY_PLUGINS \"${plugins}\")
        set(QUILLMAR_DEPLOY_DIRS \"${dll_dirs}\")
        set(QUILLMAR_DEPLOY_DESTINATION \"${arg_DESTINATION}\")
        set(QUILLMAR_DEPLOY_CROSS_OBJDUMP \"${cross_objdump}\")
        set(QUILLMAR_DEPLOY_WORK \"${CMAKE_BINARY_DIR}/deploy-dlls\")")
    install(SCRIPT ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/WindowsDeployRuntime.cmake)

    # MSVC's runtime is not in an import table's folder but in Windows' own.
    if(MSVC)
        set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION ${arg_DESTINATION})
        include(InstallRequiredSystemLibraries)
    endif()
endfunction()
