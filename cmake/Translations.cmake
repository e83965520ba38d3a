# Qt Linguist string tables built into a program.
#
#   add_string_tables(<target> NAME <resource> [PREFIX <path>] TABLES <file.ts>...)
#
# Builds each table with lrelease into <file>.qm and embeds the results in
# <target> as the Qt resource <resource>, each at <path>/<file>.qm (PREFIX
# defaults to /translations). A static library must call
# Q_INIT_RESOURCE(<resource>) once before the tables are loaded.
# Qt's own CMake helpers for this come with a package we do not use, so
# lrelease and rcc are run directly.

find_package(Qt6 REQUIRED COMPONENTS Core)
find_program(LRELEASE_EXECUTABLE NAMES lrelease lrelease-qt6
             HINTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}" /usr/lib/qt6/bin REQUIRED)
# lupdate is not needed to build; the tests that check what a translator's
# run of it finds use LUPDATE_EXECUTABLE when it is there.
find_program(LUPDATE_EXECUTABLE NAMES lupdate lupdate-qt6
             HINTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}" /usr/lib/qt6/bin)

function(add_string_tables target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "NAME;PREFIX" "TABLES")
  if(NOT arg_NAME OR NOT arg_TABLES)
    message(FATAL_ERROR "add_string_tables: NAME and TABLES are required")
  endif()
  if(NOT arg_PREFIX)
    set(arg_PREFIX /translations)
  endif()

  set(out_dir "${CMAKE_CURRENT_BINARY_DIR}/${arg_NAME}")
  set(qm_files)
  set(qrc_entries)
  foreach(table IN LISTS arg_TABLES)
    get_filename_component(table_path "${table}" ABSOLUTE)
    get_filename_component(base "${table}" NAME_WE)
    set(qm "${out_dir}/${base}.qm")
    add_custom_command(OUTPUT "${qm}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${out_dir}"
      COMMAND "${LRELEASE_EXECUTABLE}" -silent "${table_path}" -qm "${qm}"
      DEPENDS "${table_path}"
      COMMENT "Building string table ${base}.qm"
      VERBATIM)
    list(APPEND qm_files "${qm}")
    string(APPEND qrc_entries "    <file>${base}.qm</file>\n")
  endforeach()

  set(qrc "${out_dir}/${arg_NAME}.qrc")
  file(CONFIGURE OUTPUT "${qrc}" CONTENT
"<!DOCTYPE RCC><RCC version=\"1.0\">
  <qresource prefix=\"${arg_PREFIX}\">
${qrc_entries}  </qresource>
</RCC>
")
  set(source "${out_dir}/qrc_${arg_NAME}.cpp")
  add_custom_command(OUTPUT "${source}"
    COMMAND Qt6::rcc --name "${arg_NAME}" --output "${source}" "${qrc}"
    DEPENDS "${qrc}" ${qm_files}
    WORKING_DIRECTORY "${out_dir}"
    COMMENT "Embedding string tables ${arg_NAME}"
    VERBATIM)
  # rcc's output is not held to our warnings.
  set_source_files_properties("${source}" PROPERTIES COMPILE_OPTIONS "-w" SKIP_AUTOMOC ON SKIP_AUTOUIC ON)
  target_sources(${target} PRIVATE "${source}")
endfunction()
