# What `cmake --install` lays out. On Linux the usual prefix tree: the programs in
# bin/, their shipped data in share/vaskedit/ (the programs look for it at
# ../share/vaskedit from their own directory, so a moved prefix still works), the
# desktop entry, icons, metainfo, manual pages and bash completion. On Windows one
# folder: the program beside its data, as it finds it there.
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
