# CPack's NSIS installer installs for all users and asks for administrator rights. The
# Windows package installs for the one user instead: this writes CMake's own template
# with the uninstall entry in HKCU, the shortcuts in the user's Start menu and no
# elevation, as a 64-bit installer, into DIR for CPACK_MODULE_PATH.
function(vask_write_per_user_nsis_template dir)
  set(template "${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in")
  file(READ "${template}" text)
  set(replacements
    "RequestExecutionLevel admin" "RequestExecutionLevel user"
    "SetShellVarContext all" "SetShellVarContext current"
    "HKLM \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
    "HKCU \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall")
  while(replacements)
    list(POP_FRONT replacements from to)
    string(FIND "${text}" "${from}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "CMake's NSIS template has no \"${from}\" any more: check ${template}")
    endif()
    string(REPLACE "${from}" "${to}" text "${text}")
  endwhile()
  # A 64-bit installer for the 64-bit programs: it runs where they run, wine64 too. After
  # the first line, which starts with the file's byte order mark.
  string(FIND "${text}" "\n" first_line_end)
  string(SUBSTRING "${text}" 0 ${first_line_end} first_line)
  string(SUBSTRING "${text}" ${first_line_end} -1 rest)
  file(WRITE "${dir}/NSIS.template.in" "${first_line}\nTarget amd64-unicode${rest}")
endfunction()
