# The window's pictures are drawn once, on the build machine, from their SVG sources: each at its
# own size and at twice that for screens of double density, so that the program needs no SVG
# renderer at run time on any system.
#
# nolt_add_pictures(<target> <resource name> <svg>...) renders <name>.png and <name>@2x.png for each
# SVG and builds them into <target> as the resource set <resource name> (Q_INIT_RESOURCE), files
# :/images/<name>.png (Qt picks the @2x file by itself).
# nolt_render_icon_sizes(<svg> <out list var> <size>...) renders square PNGs of the given sizes,
# for a system icon file.

find_program(NOLT_RSVG_CONVERT rsvg-convert REQUIRED)

# nolt_render_png(<svg> <png> <rsvg-convert size options>...)
function(nolt_render_png svg png)
  get_filename_component(folder ${png} DIRECTORY)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${NOLT_RSVG_CONVERT} ${ARGN} --output ${png} ${svg}
    DEPENDS ${svg}
    VERBATIM)
endfunction()

function(nolt_add_pictures target resourceName)
  set(outputs)
  foreach(svg IN LISTS ARGN)
    get_filename_component(name ${svg} NAME_WE)
    get_filename_component(svg ${svg} ABSOLUTE)
    set(base ${CMAKE_CURRENT_BINARY_DIR}/images/${name})
    nolt_render_png(${svg} ${base}.png --zoom 1)
    nolt_render_png(${svg} ${base}@2x.png --zoom 2)
    list(APPEND outputs ${base}.png ${base}@2x.png)
  endforeach()
  qt_add_resources(${target} ${resourceName} PREFIX / BASE ${CMAKE_CURRENT_BINARY_DIR} FILES ${outputs})
endfunction()

function(nolt_render_icon_sizes svg outVar)
  get_filename_component(name ${svg} NAME_WE)
  get_filename_component(svg ${svg} ABSOLUTE)
  set(outputs)
  foreach(size IN LISTS ARGN)
    set(png ${CMAKE_CURRENT_BINARY_DIR}/icon/${name}-${size}.png)
    nolt_render_png(${svg} ${png} --width ${size} --height ${size})
    list(APPEND outputs ${png})
  endforeach()
  set(${outVar} ${outputs} PARENT_SCOPE)
endfunction()
