# `cpack`: a Debian package from the Linux build; from the Windows cross build a zip of
# the programs with their data and a per-user installer (NSIS). All land in packages/
# of the build folder.
set(CPACK_PACKAGE_NAME vaskedit)
set(CPACK_PACKAGE_VENDOR "VaskEdit")
set(CPACK_PACKAGE_CONTACT "VaskEdit developers <vaskedit@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the dialogue data of the role-playing game Vask")
set(CPACK_PACKAGE_DESCRIPTION
  "VaskEdit splits the game's combined info document into one file per info, lists, \
filters, searches and edits the infos, and merges them back into one document. \
vaskedit-cli does the same work on the command line.")
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES TRUE)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME vaskedit-${PROJECT_VERSION}-windows-x64)
  include(${CMAKE_CURRENT_LIST_DIR}/nsis/WindowsInstaller.cmake)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # What the libraries' own dependencies do not bring: the display plugins that Qt
  # loads at run time, and the font the editor asks for.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
endif()
include(CPack)
