# The programs (torvane, torvane-cli, torvane-report) are built into one folder, build/<preset>/bin,
# together with the files they look for beside themselves: the report bitmaps, the help file
# and its pages. So a build runs in place exactly as an installation does.
set(TORVANE_PROGRAM_DIR ${CMAKE_BINARY_DIR}/bin)

set(TORVANE_HELP_PAGES
  contents.html files.html gas-input.html gas-properties.html labyrinth.html methods.html
  reports.html rotordynamics.html studies.html style.css support.html units.html)

set(_runtime_outputs)
foreach(bitmap IN LISTS TORVANE_REPORT_BITMAPS)
  get_filename_component(name ${bitmap} NAME)
  list(APPEND _runtime_inputs ${bitmap})
  list(APPEND _runtime_pairs "${bitmap}|${TORVANE_PROGRAM_DIR}/${name}")
endforeach()
list(APPEND _runtime_pairs
  "${PROJECT_SOURCE_DIR}/resources/help/Torvane.HLP|${TORVANE_PROGRAM_DIR}/Torvane.HLP")
foreach(page IN LISTS TORVANE_HELP_PAGES)
  list(APPEND _runtime_pairs
    "${PROJECT_SOURCE_DIR}/resources/help/help/${page}|${TORVANE_PROGRAM_DIR}/help/${page}")
endforeach()
foreach(pair IN LISTS _runtime_pairs)
  string(REPLACE "|" ";" pair ${pair})
  list(GET pair 0 from)
  list(GET pair 1 to)
  add_custom_command(OUTPUT ${to}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${from} ${to}
    DEPENDS ${from} VERBATIM)
  list(APPEND _runtime_outputs ${to})
endforeach()
add_custom_target(torvane_runtime_files DEPENDS ${_runtime_outputs})

install(FILES ${PROJECT_SOURCE_DIR}/resources/help/Torvane.HLP DESTINATION ${CMAKE_INSTALL_BINDIR})
list(TRANSFORM TORVANE_HELP_PAGES PREPEND ${PROJECT_SOURCE_DIR}/resources/help/help/
     OUTPUT_VARIABLE _help_files)
install(FILES ${_help_files} DESTINATION ${CMAKE_INSTALL_BINDIR}/help)

# The examples, the desktop entry (named by the application's id, org.torvane.Torvane), its
# AppStream metainfo, the icon, the MIME types of the two file kinds with their icons, and the
# manual pages.
set(TORVANE_DESKTOP ${PROJECT_SOURCE_DIR}/resources/desktop)
install(FILES ${PROJECT_SOURCE_DIR}/examples/natural-gas.gas ${PROJECT_SOURCE_DIR}/examples/natural-gas.trv
        DESTINATION ${CMAKE_INSTALL_DATADIR}/torvane/examples)
install(FILES ${TORVANE_DESKTOP}/org.torvane.Torvane.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TORVANE_DESKTOP}/org.torvane.Torvane.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${TORVANE_DESKTOP}/torvane-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME torvane.xml)
install(FILES ${PROJECT_SOURCE_DIR}/resources/torvane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${TORVANE_DESKTOP}/icons/application-x-torvane-settings.svg
              ${TORVANE_DESKTOP}/icons/application-x-torvane-gas.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes)
install(FILES ${PROJECT_SOURCE_DIR}/resources/man/torvane.1 ${PROJECT_SOURCE_DIR}/resources/man/torvane-cli.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Builds target into the program folder, with the runtime files beside it, and installs it. An
# installed program finds the orvell library in the lib folder beside its bin folder.
function(torvane_program target)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TORVANE_PROGRAM_DIR}
                        INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
  add_dependencies(${target} torvane_runtime_files)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()
