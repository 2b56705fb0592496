# The program's images (resources/quillmar.qrc) as resource "quillmar". With Qt SVG they are the
# SVG files themselves. A Qt without it (the Qt built for Windows here, from Debian's sources,
# which offer no Qt SVG for it) gets each drawn into a PNG image four times its size, under the
# SVG's own name: Qt reads an image by its content, so the program asks for the same names
# everywhere. The build machine's Qt SVG draws them, in a tool built for the build machine.
function(quillmar_add_icons target)
    if(TARGET Qt6::Svg)
        target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/resources/quillmar.qrc)
        # The icon engine and image plugin that read the SVG files come with the library.
        target_link_libraries(${target} PUBLIC Qt6::Svg)
        return()
    endif()
    if(NOT CMAKE_CROSSCOMPILING)
        message(FATAL_ERROR "Quillmar's icons need Qt SVG (Debian: qt6-svg-dev)")
    endif()

    include(ExternalProject)
    set(tool_dir ${CMAKE_BINARY_DIR}/svg-to-png)
    set(tool ${tool_dir}/svg-to-png)
    # No toolchain file: the tool runs here, on the build machine, with its Qt.
    ExternalProject_Add(svg_to_png
        SOURCE_DIR ${PROJECT_SOURCE_DIR}/cmake/svg-to-png
        BINARY_DIR ${tool_dir}
        CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
        INSTALL_COMMAND ""
        BUILD_BYPRODUCTS ${tool}
        EXCLUDE_FROM_ALL ON)

    set(resources ${PROJECT_SOURCE_DIR}/resources)
    file(STRINGS ${resources}/quillmar.qrc lines REGEX "<file>.*</file>")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${resources}/quillmar.qrc)
    set(names)
    set(svgs)
    set(pngs)
    set(png_dir ${CMAKE_CURRENT_BINARY_DIR}/icons)
    foreach(line IN LISTS lines)
        string(REGEX REPLACE ".*<file>(.*)</file>.*" "\\1" name "${line}")
        if(NOT name MATCHES "\\.svg$")
            message(FATAL_ERROR "quillmar.qrc: ${name} is not an SVG image")
        endif()
        list(APPEND names ${name})
        list(APPEND svgs ${resources}/${name})
        list(APPEND pngs ${png_dir}/${name}.png)
        set_source_files_properties(${png_dir}/${name}.png PROPERTIES QT_RESOURCE_ALIAS ${name})
    endforeach()
    add_custom_command(OUTPUT ${pngs}
        COMMAND ${tool} 4 ${resources} ${png_dir} ${names}
        DEPENDS ${svgs} svg_to_png
        COMMENT "Drawing the SVG images into PNG images"
        VERBATIM)
    qt_add_resources(${target} quillmar PREFIX / FILES ${pngs})
endfunction()
