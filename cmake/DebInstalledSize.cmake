# Run by CPack once it has made the .deb (CPACK_POST_BUILD_SCRIPTS): sets the package's
# Installed-Size as dpkg counts it, each file's size in whole KiB and one KiB for anything else.
# CPack adds up the sizes directories have on the build's file system, which differ between ext4
# and tmpfs, say, so that the same sources built on two machines would give two packages.
find_program(DPKG_DEB dpkg-deb REQUIRED)
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  set(tree ${CPACK_TOPLEVEL_DIRECTORY}/installed-size)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND ${DPKG_DEB} --raw-extract ${deb} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  file(GLOB_RECURSE entries LIST_DIRECTORIES true ${tree}/*)
  set(kib 0)
  foreach(entry IN LISTS entries)
    if(entry MATCHES "^${tree}/DEBIAN(/|$)")
      continue()
    endif()
    if(IS_DIRECTORY ${entry} OR IS_SYMLINK ${entry})
      math(EXPR kib "${kib} + 1")
    else()
      file(SIZE ${entry} bytes)
      math(EXPR kib "${kib} + (${bytes} + 1023) / 1024")
    endif()
  endforeach()
  file(READ ${tree}/DEBIAN/control control)
  string(REGEX REPLACE "\nInstalled-Size: [0-9]+\n" "\nInstalled-Size: ${kib}\n" control "${control}")
  file(WRITE ${tree}/DEBIAN/control "${control}")
  execute_process(COMMAND ${DPKG_DEB} --root-owner-group -Zgzip --build ${tree} ${deb}
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()
