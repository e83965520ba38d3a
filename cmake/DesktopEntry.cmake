# A program's entry in the desktop's application menu, with its icon.
#
#   install_desktop_entry(ENTRY <file.desktop> ICON <name> DRAW <target> SIZES <side>...
#                         COMPONENT <component> COMMENT <text>)
#
# Installs the entry into <datadir>/applications, and the icon into the
# hicolor theme as <name>.png of each size. The desktop's icon theme wants
# PNG files: they are made at build time by running `DRAW <folder> <side>...`,
# a tool that draws the window's own icon into <folder>/<side>x<side>/apps/.
# The tool is a Qt program: it gets a runtime folder in the build tree, as
# Qt wants it (0700), or Qt would make /tmp/runtime-<user> where
# XDG_RUNTIME_DIR is not set and leave it there.

function(install_desktop_entry)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "ENTRY;ICON;DRAW;COMPONENT;COMMENT" "SIZES")
  if(NOT arg_ENTRY OR NOT arg_ICON OR NOT arg_DRAW OR NOT arg_SIZES OR NOT arg_COMPONENT)
    message(FATAL_ERROR "install_desktop_entry: ENTRY, ICON, DRAW, SIZES and COMPONENT are required")
  endif()

  set(runtime_dir ${CMAKE_BINARY_DIR}/icon-runtime)
  file(MAKE_DIRECTORY ${runtime_dir})
  file(CHMOD ${runtime_dir} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

  install(FILES "${arg_ENTRY}" DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT ${arg_COMPONENT})

  set(icon_dir "${CMAKE_CURRENT_BINARY_DIR}/hicolor")
  set(icon_files)
  foreach(side IN LISTS arg_SIZES)
    list(APPEND icon_files "${icon_dir}/${side}x${side}/apps/${arg_ICON}.png")
  endforeach()
  add_custom_command(OUTPUT ${icon_files}
    COMMAND ${CMAKE_COMMAND} -E env XDG_RUNTIME_DIR=${runtime_dir}
            $<TARGET_FILE:${arg_DRAW}> "${icon_dir}" ${arg_SIZES}
    DEPENDS ${arg_DRAW}
    COMMENT "${arg_COMMENT}"
    VERBATIM)
  add_custom_target(${arg_ICON}-icons ALL DEPENDS ${icon_files})
  foreach(side IN LISTS arg_SIZES)
    install(FILES "${icon_dir}/${side}x${side}/apps/${arg_ICON}.png"
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${side}x${side}/apps COMPONENT ${arg_COMPONENT})
  endforeach()
endfunction()
