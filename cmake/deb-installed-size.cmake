# Run by CPack once the .deb is made. CPack adds the sizes of the package's folders as the
# filesystem reports them (4 KiB each on ext4, a few bytes on tmpfs), so the same files gave
# another Installed-Size, and another package, on another filesystem. The .deb is built again
# with dpkg-deb and the size as dpkg-gencontrol counts it (deb-substvars(5)): each file and
# symbolic link its size in KiB rounded up, every other entry 1 KiB.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  set(tree "${deb}.tree")
  file(REMOVE_RECURSE "${tree}")
  execute_process(COMMAND dpkg-deb --raw-extract "${deb}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ar t "${deb}" OUTPUT_VARIABLE members COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCH "data\\.tar\\.([a-z]+)" member "${members}")
  set(compression ${CMAKE_MATCH_1})
  if(compression STREQUAL "gz")
    set(compression gzip)
  elseif(compression STREQUAL "zst")
    set(compression zstd)
  elseif(NOT compression MATCHES "^(xz)$")
    message(FATAL_ERROR "${deb}: no data member dpkg-deb can write (${members})")
  endif()

  file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE "${tree}" "${tree}/*")
  set(kib 1) # the top folder
  foreach(entry IN LISTS entries)
    if(entry MATCHES "^DEBIAN(/|$)")
      continue()
    elseif(IS_SYMLINK "${tree}/${entry}")
      file(READ_SYMLINK "${tree}/${entry}" target)
      string(LENGTH "${target}" bytes)
    elseif(IS_DIRECTORY "${tree}/${entry}")
      math(EXPR kib "${kib} + 1")
      continue()
    else()
      file(SIZE "${tree}/${entry}" bytes)
    endif()
    math(EXPR kib "${kib} + (${bytes} + 1023) / 1024")
  endforeach()

  file(READ "${tree}/DEBIAN/control" control)
  string(REGEX REPLACE "\nInstalled-Size: [0-9]+\n" "\nInstalled-Size: ${kib}\n" control
         "${control}")
  file(WRITE "${tree}/DEBIAN/control" "${control}")
  execute_process(COMMAND dpkg-deb --root-owner-group -Z${compression} --build "${tree}" "${deb}"
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${tree}")
endforeach()
