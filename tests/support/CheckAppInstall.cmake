# Installs an application's component into a scratch DESTDIR and checks what
# lands there: the program in bin/, a desktop entry that desktop-file-validate
# accepts and that starts the program by that name with the theme icon, asks
# for launch feedback and names the program's window class, and
# the icon as PNG files of each size, each as large as its folder says.
# -DBUILD_DIR=<build tree> -DSCRATCH=<scratch folder, emptied first> -DPREFIX=<install prefix>
# -DCOMPONENT=<component> -DPROGRAM=<program name> -DENTRY=<desktop entry's file name>
# -DICON=<icon name> -DSIZES=<side;side;...>
include("${CMAKE_CURRENT_LIST_DIR}/InstallComponent.cmake")
install_component(${COMPONENT})
set(root "${SCRATCH}${PREFIX}")

set(program "${root}/bin/${PROGRAM}")
if(NOT EXISTS "${program}" OR IS_DIRECTORY "${program}")
  message(FATAL_ERROR "no program at ${program}")
endif()
file(READ "${program}" magic LIMIT 4 HEX)
if(NOT magic STREQUAL "7f454c46")
  message(FATAL_ERROR "${program} is not an executable")
endif()

set(entry "${root}/share/applications/${ENTRY}")
if(NOT EXISTS "${entry}")
  message(FATAL_ERROR "no desktop entry at ${entry}")
endif()
find_program(VALIDATE desktop-file-validate)
if(NOT VALIDATE)
  message(FATAL_ERROR "desktop-file-validate is missing: install desktop-file-utils (scripts/setup)")
endif()
execute_process(COMMAND "${VALIDATE}" "${entry}" RESULT_VARIABLE valid OUTPUT_VARIABLE complaints
                ERROR_VARIABLE complaints)
if(NOT valid EQUAL 0 OR complaints MATCHES "error")
  message(FATAL_ERROR "desktop-file-validate: ${complaints}")
endif()
file(STRINGS "${entry}" lines ENCODING UTF-8)
list(GET lines 0 first)
if(NOT first STREQUAL "[Desktop Entry]")
  message(FATAL_ERROR "desktop entry does not start with its group: ${first}")
endif()
# The launch feedback, and the window class that ties the program's windows
# to this entry (Qt's class is the program's name).
foreach(required IN ITEMS "Type=Application" "Exec=${PROGRAM}" "Icon=${ICON}" "Terminal=false" "StartupNotify=true"
                          "StartupWMClass=${PROGRAM}")
  list(FIND lines "${required}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "desktop entry lacks ${required}")
  endif()
endforeach()
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^(\\[Desktop Entry\\]|#.*|[A-Za-z0-9-]+(\\[[A-Za-z_@]+\\])?=.*)$")
    message(FATAL_ERROR "not a desktop entry line: ${line}")
  endif()
  if(line MATCHES "^Categories=" AND NOT line MATCHES ";$")
    message(FATAL_ERROR "categories must end with ';': ${line}")
  endif()
endforeach()

foreach(side IN LISTS SIZES)
  if(NOT EXISTS "${root}/share/icons/hicolor/${side}x${side}/apps/${ICON}.png")
    message(FATAL_ERROR "no ${side}x${side} icon")
  endif()
endforeach()
file(GLOB icons "${root}/share/icons/hicolor/*/apps/${ICON}.png")
foreach(icon IN LISTS icons)
  string(REGEX MATCH "hicolor/([0-9]+)x([0-9]+)/" folder "${icon}")
  math(EXPR side "${CMAKE_MATCH_1}")
  # PNG signature, then the IHDR chunk: width and height, 4 bytes each.
  file(READ "${icon}" signature LIMIT 8 HEX)
  file(READ "${icon}" size OFFSET 16 LIMIT 8 HEX)
  string(SUBSTRING "${size}" 0 8 width)
  string(SUBSTRING "${size}" 8 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL side OR NOT height EQUAL side)
    message(FATAL_ERROR "${icon}: not a ${side}x${side} PNG (${signature}, ${width}x${height})")
  endif()
endforeach()
