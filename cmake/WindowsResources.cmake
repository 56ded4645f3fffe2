# What Windows reads from the program file itself: its icon (16 to 256 pixels, for Explorer, the
# task bar and the installer's shortcut), its version information and its manifest.
#
# nolt_add_windows_resources(<target> <icon svg>)
# The publisher and the contact link are named by whoever builds the program (an office names
# itself); they go into the version resource, the installer's entry in the list of programs and the
# signature. The link is empty unless given: the project has no web address of its own.

find_program(NOLT_ICOTOOL icotool REQUIRED)
set(NOLT_PUBLISHER "NOLT-Fr project" CACHE STRING
    "Publisher of the Windows program and installer (ASCII: the installer tools take no other)")
set(NOLT_URL "" CACHE STRING
    "Help or contact link in the installer's entry and the signature; none when empty")

function(nolt_add_windows_resources target svg)
  nolt_render_icon_sizes(${svg} sizes 16 20 24 32 40 48 64 128 256)
  set(icon ${CMAKE_CURRENT_BINARY_DIR}/nolt_f_r.ico)
  # Sizes above 48 pixels go in as PNG, which keeps the file small.
  list(FILTER sizes EXCLUDE REGEX "-(64|128|256)\\.png$")
  set(large ${CMAKE_CURRENT_BINARY_DIR}/icon/nolt_f_r-64.png
            ${CMAKE_CURRENT_BINARY_DIR}/icon/nolt_f_r-128.png
            ${CMAKE_CURRENT_BINARY_DIR}/icon/nolt_f_r-256.png)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${NOLT_ICOTOOL} --create --output ${icon} ${sizes}
            --raw=${CMAKE_CURRENT_BINARY_DIR}/icon/nolt_f_r-64.png
            --raw=${CMAKE_CURRENT_BINARY_DIR}/icon/nolt_f_r-128.png
            --raw=${CMAKE_CURRENT_BINARY_DIR}/icon/nolt_f_r-256.png
    DEPENDS ${sizes} ${large}
    VERBATIM)

  set(NOLT_ICON_FILE ${icon})
  set(NOLT_MANIFEST_FILE ${PROJECT_SOURCE_DIR}/packaging/windows/nolt_f_r.manifest)
  set(NOLT_VERSION_COMMAS
      "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/nolt_f_r.rc.in
                 ${CMAKE_CURRENT_BINARY_DIR}/nolt_f_r.rc @ONLY)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/nolt_f_r.rc)
  set_source_files_properties(${rc} PROPERTIES
    OBJECT_DEPENDS "${icon};${NOLT_MANIFEST_FILE}")
  target_sources(${target} PRIVATE ${rc})
  # Stripped: the symbols would double the file's size.
  target_link_options(${target} PRIVATE -s)
endfunction()
