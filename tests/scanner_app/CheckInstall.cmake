# Installs the scanner component into a scratch DESTDIR and checks what lands
# there: the program, a desktop entry the desktop accepts that starts it, and
# an icon of each size the entry names.
# -DBUILD_DIR=<build tree> -DSCRATCH=<scratch folder, emptied first> -DPREFIX=<install prefix>
file(REMOVE_RECURSE "${SCRATCH}")
set(ENV{DESTDIR} "${SCRATCH}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --component scanner
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install --component scanner failed: ${result}")
endif()
set(root "${SCRATCH}${PREFIX}")

if(NOT EXISTS "${root}/bin/QUKTR6620LXV-Scanner" OR IS_DIRECTORY "${root}/bin/QUKTR6620LXV-Scanner")
  message(FATAL_ERROR "no program at bin/QUKTR6620LXV-Scanner")
endif()

set(entry "${root}/share/applications/ktr6620lxv-scanner.desktop")
if(NOT EXISTS "${entry}")
  message(FATAL_ERROR "no desktop entry at share/applications/ktr6620lxv-scanner.desktop")
endif()
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND "${VALIDATE}" "${entry}" RESULT_VARIABLE valid OUTPUT_VARIABLE complaints
                  ERROR_VARIABLE complaints)
  if(NOT valid EQUAL 0 OR complaints MATCHES "error")
    message(FATAL_ERROR "desktop-file-validate: ${complaints}")
  endif()
endif()
file(STRINGS "${entry}" exec REGEX "^Exec=")
file(STRINGS "${entry}" icon REGEX "^Icon=")
if(NOT exec STREQUAL "Exec=QUKTR6620LXV-Scanner" OR NOT icon STREQUAL "Icon=ktr6620lxv-scanner")
  message(FATAL_ERROR "the entry starts \"${exec}\" with \"${icon}\"")
endif()

foreach(side IN ITEMS 16 24 32 48 64 128 256)
  set(png "${root}/share/icons/hicolor/${side}x${side}/apps/ktr6620lxv-scanner.png")
  if(NOT EXISTS "${png}")
    message(FATAL_ERROR "no ${side}x${side} icon")
  endif()
  # The PNG header's width and height, big-endian, at bytes 16 and 20.
  file(READ "${png}" header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 32 8 width)
  string(SUBSTRING "${header}" 40 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT width EQUAL side OR NOT height EQUAL side)
    message(FATAL_ERROR "the ${side}x${side} icon is ${width}x${height}")
  endif()
endforeach()
