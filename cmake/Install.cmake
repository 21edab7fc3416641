# What `cmake --install` puts in place: the game, its desktop entry, its AppStream metadata and
# its hicolor icons, all named by one reverse-DNS id, its manual page and its copyright file.
# cmake/Package.cmake wraps it in a .deb.
include(GNUInstallDirs)
find_program(GZIP gzip REQUIRED)

# starveil_gzip(<file>...): each <file>.gz beside its <file>, built with everything, compressed
# as Debian wants documentation: at the highest level, and with no name or time stamp in the
# header, so that a rebuild gives the same bytes.
function(starveil_gzip)
  foreach(file IN LISTS ARGN)
    add_custom_command(OUTPUT ${file}.gz COMMAND ${GZIP} -9nkf ${file} DEPENDS ${file} VERBATIM)
    get_filename_component(name ${file} NAME)
    add_custom_target(starveil_gzip_${name} ALL DEPENDS ${file}.gz)
  endforeach()
endfunction()

set(STARVEIL_APP_ID io.github.starveil.Starveil)
set(STARVEIL_ICON_SIZES 16 24 32 48 64 128 256 512)

# Debian keeps games apart from other programs, in /usr/games.
set(STARVEIL_GAMES_DIR games)
install(TARGETS starveil RUNTIME DESTINATION ${STARVEIL_GAMES_DIR})
# A stripped install (the package's) also drops the compilers' version notes, as Debian's does.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND [[${CMAKE_OBJCOPY}]] --remove-section=.comment
                            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${STARVEIL_GAMES_DIR}/starveil\"
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()")
install(CODE "
  set(STARVEIL_DESKTOP_ENTRY [[${PROJECT_SOURCE_DIR}/packaging/${STARVEIL_APP_ID}.desktop]])
  set(STARVEIL_ENTRY_DIR [[${CMAKE_INSTALL_DATADIR}/applications]])
  set(STARVEIL_PROGRAM [[${STARVEIL_GAMES_DIR}/starveil]])
  set(STARVEIL_BINARY_DIR [[${PROJECT_BINARY_DIR}]])")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/InstallDesktopEntry.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/Releases.cmake)
starveil_releases(${PROJECT_SOURCE_DIR}/packaging/changelog STARVEIL_RELEASES)
set(metainfo ${PROJECT_BINARY_DIR}/metainfo/${STARVEIL_APP_ID}.metainfo.xml)
configure_file(${PROJECT_SOURCE_DIR}/packaging/${STARVEIL_APP_ID}.metainfo.xml.in ${metainfo} @ONLY)
install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Debian's machine-readable form of LICENSE, where a package's users look for its terms.
set(STARVEIL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/starveil)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${STARVEIL_DOC_DIR})

set(manual_page ${PROJECT_BINARY_DIR}/doc/starveil.6)
configure_file(${PROJECT_SOURCE_DIR}/packaging/starveil.6 ${manual_page} @ONLY)
starveil_gzip(${manual_page})
install(FILES ${manual_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The icons come from the picture the game window carries, so the program stays their one source.
add_executable(starveil_make_icons ${PROJECT_SOURCE_DIR}/tools/icons/make_icons.cpp)
target_link_libraries(starveil_make_icons PRIVATE starveil_core)

set(icon_dir ${PROJECT_BINARY_DIR}/icons/hicolor)
set(icon_files)
foreach(size IN LISTS STARVEIL_ICON_SIZES)
  set(icon ${icon_dir}/${size}x${size}/apps/${STARVEIL_APP_ID}.png)
  list(APPEND icon_files ${icon})
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_command(
  OUTPUT ${icon_files}
  COMMAND starveil_make_icons ${icon_dir} ${STARVEIL_APP_ID} ${STARVEIL_ICON_SIZES}
  DEPENDS starveil_make_icons
  COMMENT "Drawing the desktop icons from the game window's icon"
  VERBATIM)
add_custom_target(starveil_icons ALL DEPENDS ${icon_files})

include(${CMAKE_CURRENT_LIST_DIR}/Package.cmake)
