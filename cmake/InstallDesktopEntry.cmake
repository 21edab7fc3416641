# Run by `cmake --install`: installs the desktop entry STARVEIL_DESKTOP_ENTRY into
# STARVEIL_ENTRY_DIR with its Exec line naming the program STARVEIL_PROGRAM by its full installed
# path (both relative to the prefix), written out in STARVEIL_BINARY_DIR first. A menu then finds
# the game whatever the PATH: /usr/games is not on every PATH, and ~/.local/games is on hardly any.
set(program "${CMAKE_INSTALL_PREFIX}/${STARVEIL_PROGRAM}")
if(program MATCHES "[\t\r\n]")
  message(FATAL_ERROR "A desktop entry cannot name a path with a control character: ${program}")
endif()
# An argument holding a character the desktop entry format reserves goes in double quotes, with
# ", `, $ and \ escaped inside them; the value's own escaping then doubles every backslash again.
if(NOT program MATCHES "^[A-Za-z0-9_./+,:@=-]+$")
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" program "${program}")
  string(REPLACE "\\" "\\\\" program "\"${program}\"")
endif()
string(REPLACE "%" "%%" program "${program}")

file(READ "${STARVEIL_DESKTOP_ENTRY}" entry)
string(REGEX MATCH "\nExec=[^\n]*" exec_line "${entry}")
if(NOT exec_line)
  message(FATAL_ERROR "${STARVEIL_DESKTOP_ENTRY} has no Exec line")
endif()
string(REPLACE "${exec_line}" "\nExec=${program}" entry "${entry}")
get_filename_component(name "${STARVEIL_DESKTOP_ENTRY}" NAME)
set(installed "${STARVEIL_BINARY_DIR}/desktop-entry/${name}")
file(WRITE "${installed}" "${entry}")
file(INSTALL "${installed}" DESTINATION "${CMAKE_INSTALL_PREFIX}/${STARVEIL_ENTRY_DIR}")
