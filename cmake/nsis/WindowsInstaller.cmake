# The Windows installer (cpack -G NSIS, Debian's nsis package): installs into the
# user's own programs folder without administrator rights, with a Start menu entry,
# an uninstaller and .vaskinfo files opening in VaskEdit, all for this user only.
include(${CMAKE_CURRENT_LIST_DIR}/PerUserTemplate.cmake)
vask_write_per_user_nsis_template(${CMAKE_BINARY_DIR}/nsis)
set(CPACK_MODULE_PATH ${CMAKE_BINARY_DIR}/nsis)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/PackageFileNames.cmake)

set(CPACK_NSIS_PACKAGE_NAME "VaskEdit")
set(CPACK_NSIS_DISPLAY_NAME "VaskEdit ${PROJECT_VERSION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "VaskEdit")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "VaskEdit")
# Values as written here: the installer commands hold backslashes.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_NSIS_INSTALL_ROOT "$LOCALAPPDATA\\Programs")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/packaging/org.vaskedit.VaskEdit.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/packaging/org.vaskedit.VaskEdit.ico)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ".")
if(TARGET vaskedit)
  set(CPACK_PACKAGE_EXECUTABLES vaskedit "VaskEdit")
  set(CPACK_NSIS_INSTALLED_ICON_NAME "vaskedit.exe")
  # The association under HKCU\Software\Classes, which needs no administrator; the
  # uninstaller takes away ".vaskinfo" only while it still points at VaskEdit.
  set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS [=[
  WriteRegStr HKCU "Software\Classes\.vaskinfo" "" "VaskEdit.Info"
  WriteRegStr HKCU "Software\Classes\VaskEdit.Info" "" "VaskEdit info"
  WriteRegStr HKCU "Software\Classes\VaskEdit.Info\DefaultIcon" "" "$INSTDIR\vaskedit.exe,0"
  WriteRegStr HKCU "Software\Classes\VaskEdit.Info\shell\open\command" "" '"$INSTDIR\vaskedit.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
]=])
  set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [=[
  ReadRegStr $0 HKCU "Software\Classes\.vaskinfo" ""
  StrCmp $0 "VaskEdit.Info" 0 +2
    DeleteRegKey HKCU "Software\Classes\.vaskinfo"
  DeleteRegKey HKCU "Software\Classes\VaskEdit.Info"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
]=])
  list(APPEND CPACK_GENERATOR NSIS)
endif()
