# What `cmake --install` lays out. On Linux the usual prefix tree: the programs in
# bin/, their shipped data in share/vaskedit/ (the programs look for it at
# ../share/vaskedit from their own directory, so a moved prefix still works), the
# desktop entry, icons, metainfo, manual pages and bash completion. On Windows one
# folder: the programs beside their data, as they find it there, and with the editor
# the Qt DLLs and plugins it loads.
if(WIN32)
  set(VASK_INSTALL_BIN .)
  set(VASK_INSTALL_DATA .)
else()
  set(VASK_INSTALL_BIN bin)
  set(VASK_INSTALL_DATA share/vaskedit)
endif()

foreach(program vaskedit-cli vaskedit)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${VASK_INSTALL_BIN})
  endif()
endforeach()
install(DIRECTORY Resources Documents DESTINATION ${VASK_INSTALL_DATA})

if(WIN32)
  install(FILES README.md DESTINATION .)
  if(TARGET vaskedit)
    # Qt for Windows and the mingw runtime beside the program, so that the unzipped
    # folder runs from wherever it lies; Qt's licence and where its source came from.
    set(runtime ${VASK_QT_RUNTIME})
    install(FILES ${runtime}/Qt6Core.dll ${runtime}/Qt6Gui.dll ${runtime}/Qt6Widgets.dll
      DESTINATION .)
    foreach(dll ${VASK_MINGW_RUNTIME_DLLS})
      get_filename_component(name "${dll}" NAME)
      install(FILES ${runtime}/${name} DESTINATION .)
    endforeach()
    install(FILES ${runtime}/platforms/qwindows.dll DESTINATION platforms)
    install(DIRECTORY ${runtime}/styles/ DESTINATION styles FILES_MATCHING PATTERN "*.dll")
    install(DIRECTORY ${VASK_QT_WINDOWS_CACHE}/licenses/ DESTINATION Licenses/Qt)
  endif()
  return()
endif()

set(packaging ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
install(FILES ${packaging}/vaskedit.1 ${packaging}/vaskedit-cli.1 DESTINATION share/man/man1)
install(FILES ${packaging}/vaskedit-cli.bash-completion
  DESTINATION share/bash-completion/completions RENAME vaskedit-cli)
if(TARGET vaskedit)
  install(FILES ${packaging}/org.vaskedit.VaskEdit.desktop DESTINATION share/applications)
  install(FILES ${packaging}/org.vaskedit.VaskEdit.metainfo.xml DESTINATION share/metainfo)
  install(FILES ${packaging}/org.vaskedit.VaskEdit.svg
    DESTINATION share/icons/hicolor/scalable/apps)
  foreach(size 16 32 48 64 128 256)
    install(FILES ${packaging}/icons/${size}/org.vaskedit.VaskEdit.png
      DESTINATION share/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()
