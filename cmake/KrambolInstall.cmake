# Installation for Linux players, in the layout of Debian's games: programs in
# lib/games/krambol, launchers of the same names in games, the images and the
# sample maps in share/games/krambol, desktop entries, icon and manual pages in
# their usual places. Paths are relative to CMAKE_INSTALL_PREFIX, which the
# launchers also carry: stage with DESTDIR, not with a different prefix.

set(KRAMBOL_INSTALL_PROGRAM_DIR lib/games/krambol)
set(KRAMBOL_INSTALL_LAUNCHER_DIR games)
set(KRAMBOL_INSTALL_DATA_DIR share/games/krambol)
set(KRAMBOL_LINUX_DIR ${PROJECT_SOURCE_DIR}/tools/linux)

# What a program or a compressed page installed here needs joins the target
# krambol_package_contents, where the installation defines one.
function(krambol_package_takes target)
  if(TARGET krambol_package_contents)
    add_dependencies(krambol_package_contents ${target})
  endif()
endfunction()

# Writes <output> from the launcher template: a shell script that prepares the
# player's folder and starts <program_path> there, taking the images and the
# sample maps from <data_dir>.
function(krambol_configure_launcher output program program_path data_dir)
  set(LAUNCHER_PROGRAM ${program})
  set(LAUNCHER_PROGRAM_PATH ${program_path})
  set(LAUNCHER_DATA_DIR ${data_dir})
  configure_file(${KRAMBOL_LINUX_DIR}/launcher.sh.in ${output} @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endfunction()

# Installs the program built by <target> with a launcher of the same name and,
# when given, its desktop entry (installed as <target>.desktop) and manual page
# (a section 6 page, <target>.6, with @PROJECT_VERSION@ filled in, compressed as
# Debian wants it). Every program shares the player's folder, so a map editor
# sees the maps the game plays and the other way round.
function(krambol_install_program target)
  cmake_parse_arguments(ARG "" "DESKTOP;MANPAGE" "" ${ARGN})
  install(TARGETS ${target} RUNTIME DESTINATION ${KRAMBOL_INSTALL_PROGRAM_DIR})
  krambol_package_takes(${target})

  set(launcher ${CMAKE_CURRENT_BINARY_DIR}/launchers/${target})
  krambol_configure_launcher(${launcher} ${target}
    ${CMAKE_INSTALL_PREFIX}/${KRAMBOL_INSTALL_PROGRAM_DIR}/${target}
    ${CMAKE_INSTALL_PREFIX}/${KRAMBOL_INSTALL_DATA_DIR})
  install(PROGRAMS ${launcher} DESTINATION ${KRAMBOL_INSTALL_LAUNCHER_DIR})

  if(ARG_DESKTOP)
    install(FILES ${ARG_DESKTOP} DESTINATION share/applications RENAME ${target}.desktop)
  endif()
  if(ARG_MANPAGE)
    set(page ${CMAKE_CURRENT_BINARY_DIR}/man/${target}.6)
    configure_file(${ARG_MANPAGE} ${page} @ONLY)
    krambol_gzip(${page} ${target}_manpage)
    install(FILES ${page}.gz DESTINATION share/man/man6)
  endif()
endfunction()

# Compresses <file> into <file>.gz at build time, as Debian ships manual pages
# and changelogs: best compression, no name or time stamp in the header, so the
# bytes depend on the content only.
function(krambol_gzip file target)
  add_custom_command(OUTPUT ${file}.gz
    COMMAND gzip -9 -n -k -f ${file}
    DEPENDS ${file}
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${file}.gz)
  krambol_package_takes(${target})
endfunction()
