# starveil_wayland_protocol(<target> <description.xml>): the client's side of a Wayland protocol,
# generated from its description by wayland-scanner and compiled into <target>, whose sources
# include it as "<description>-client-protocol.h".
find_package(PkgConfig REQUIRED)
pkg_get_variable(WAYLAND_SCANNER wayland-scanner wayland_scanner)
# The generated code is C.
enable_language(C)

function(starveil_wayland_protocol target xml)
  get_filename_component(name ${xml} NAME_WE)
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/${name})
  add_custom_command(
    OUTPUT ${generated}-client-protocol.h ${generated}-protocol.c
    COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${generated}-client-protocol.h
    COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${generated}-protocol.c
    DEPENDS ${xml}
    VERBATIM)
  target_sources(${target} PRIVATE ${generated}-client-protocol.h ${generated}-protocol.c)
  # Generated code is not ours to check.
  target_include_directories(${target} SYSTEM PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
