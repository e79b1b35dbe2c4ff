# The printed reports load their bitmaps from the folder that holds the program. Every program
# that prints calls torvane_copy_report_bitmaps(<target>) so that a build runs in place; install
# puts them beside the installed programs.
set(TORVANE_REPORT_BITMAPS
  ${PROJECT_SOURCE_DIR}/resources/qnheader16.bmp
  ${PROJECT_SOURCE_DIR}/resources/qnfooter3.bmp)

install(FILES ${TORVANE_REPORT_BITMAPS} DESTINATION ${CMAKE_INSTALL_BINDIR})

# Copies the bitmaps next to the executable of target (again whenever a bitmap changes).
function(torvane_copy_report_bitmaps target)
  get_target_property(dir ${target} RUNTIME_OUTPUT_DIRECTORY)
  if(NOT dir)
    get_target_property(dir ${target} BINARY_DIR)
  endif()
  set(outputs)
  foreach(bitmap IN LISTS TORVANE_REPORT_BITMAPS)
    get_filename_component(name ${bitmap} NAME)
    add_custom_command(OUTPUT ${dir}/${name}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${bitmap} ${dir}/${name}
      DEPENDS ${bitmap}
      COMMENT "Copying ${name} beside ${target}"
      VERBATIM)
    list(APPEND outputs ${dir}/${name})
  endforeach()
  add_custom_target(${target}_report_bitmaps DEPENDS ${outputs})
  add_dependencies(${target} ${target}_report_bitmaps)
endfunction()
