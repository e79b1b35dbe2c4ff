# Writes orvell.pc at install time, so that the prefix in it is the one installed to
# (cmake --install --prefix included). Called from an install(CODE) with ORVELL_PC_IN,
# ORVELL_PC_OUT, ORVELL_VERSION, ORVELL_LIBDIR and ORVELL_INCLUDEDIR set.
set(ORVELL_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
foreach(kind IN ITEMS LIBDIR INCLUDEDIR)
  if(IS_ABSOLUTE "${ORVELL_${kind}}")
    set(ORVELL_PC_${kind} "${ORVELL_${kind}}")
  else()
    set(ORVELL_PC_${kind} "\${prefix}/${ORVELL_${kind}}")
  endif()
endforeach()
configure_file("${ORVELL_PC_IN}" "${ORVELL_PC_OUT}" @ONLY)
