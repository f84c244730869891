# The program's icon: its drawing, WAVYWALL_ICON_SVG, and
# wavywall_icon_renderings(<out_var> SIZES <n>...), which renders the drawing
# at build time into square PNG files wavywall-<n>.png in the calling
# directory's build tree and returns their paths in the order of SIZES.
# The files carry their names as Qt resource aliases, as the drawing does.
find_program(WAVYWALL_RSVG_CONVERT rsvg-convert REQUIRED)

set(WAVYWALL_ICON_SVG ${CMAKE_CURRENT_LIST_DIR}/wavywall.svg)
set_source_files_properties(${WAVYWALL_ICON_SVG} PROPERTIES QT_RESOURCE_ALIAS wavywall.svg)

function(wavywall_icon_renderings out_var)
    cmake_parse_arguments(ARG "" "" "SIZES" ${ARGN})
    set(renderings_dir ${CMAKE_CURRENT_BINARY_DIR}/icon_renderings)
    set(pngs)
    foreach(size IN LISTS ARG_SIZES)
        set(png ${renderings_dir}/wavywall-${size}.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${renderings_dir}
            COMMAND ${WAVYWALL_RSVG_CONVERT} --width ${size} --height ${size}
                    --output ${png} ${WAVYWALL_ICON_SVG}
            DEPENDS ${WAVYWALL_ICON_SVG}
            COMMENT "Rendering the icon at ${size}x${size} pixels"
            VERBATIM)
        set_source_files_properties(${png} PROPERTIES QT_RESOURCE_ALIAS wavywall-${size}.png)
        list(APPEND pngs ${png})
    endforeach()
    set(${out_var} ${pngs} PARENT_SCOPE)
endfunction()
