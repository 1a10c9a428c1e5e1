# The Windows editor in the mingw cross build. Qt for Windows is no Debian package: it
# comes from scripts/build-qt-windows.sh (`make qt-windows`), which builds it once into
# a cache folder outside the tree. With that cache, the cross build adds vaskedit.exe,
# its widget tests and the wine smoke test; without it, the library, vaskedit-cli and
# the library tests, as before.
# Sets VASK_WINDOWS_QT (ON when the cache is there) and, for tests that start Qt
# programs under wine, VASK_WINE_QT_ENVIRONMENT; VASK_QT_RUNTIME is the folder of the
# stripped DLLs and plugins that the package installs.

set(vask_qt_cache_default /var/cache/vaskedit/qt6-windows-6.4.2)
if(DEFINED ENV{VASK_QT_WINDOWS_CACHE} AND NOT "$ENV{VASK_QT_WINDOWS_CACHE}" STREQUAL "")
  set(vask_qt_cache_default "$ENV{VASK_QT_WINDOWS_CACHE}")
endif()
set(VASK_QT_WINDOWS_CACHE "${vask_qt_cache_default}" CACHE PATH
  "Qt for Windows as scripts/build-qt-windows.sh installs it")

# Only a finished install counts: the script marks it last.
if(EXISTS "${VASK_QT_WINDOWS_CACHE}/.complete"
   AND EXISTS "${VASK_QT_WINDOWS_CACHE}/lib/cmake/Qt6/Qt6Config.cmake")
  set(VASK_WINDOWS_QT ON)
else()
  set(VASK_WINDOWS_QT OFF)
  message(STATUS "Qt for Windows not in ${VASK_QT_WINDOWS_CACHE}: building without the editor "
                 "(make qt-windows, or scripts/build-qt-windows.sh, builds it)")
  return()
endif()
message(STATUS "Qt for Windows: ${VASK_QT_WINDOWS_CACHE}")

list(APPEND CMAKE_PREFIX_PATH "${VASK_QT_WINDOWS_CACHE}")
list(APPEND CMAKE_FIND_ROOT_PATH "${VASK_QT_WINDOWS_CACHE}")
set(Qt6_DIR "${VASK_QT_WINDOWS_CACHE}/lib/cmake/Qt6" CACHE PATH "" FORCE)
# moc, rcc and uic are the host's: Debian's Qt of the same version.
set(QT_HOST_PATH /usr CACHE PATH "" FORCE)
file(GLOB vask_host_info LIST_DIRECTORIES true /usr/lib/*/cmake/Qt6HostInfo)
if(NOT vask_host_info)
  message(FATAL_ERROR "The cross build of the editor needs Debian's host Qt (qt6-base-dev)")
endif()
list(GET vask_host_info 0 vask_host_info)
get_filename_component(vask_host_cmake_dir "${vask_host_info}" DIRECTORY)
set(QT_HOST_PATH_CMAKE_DIR "${vask_host_cmake_dir}" CACHE PATH "" FORCE)

# The DLLs that Qt's own DLLs need: the mingw runtime of the compiler that built them.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
  OUTPUT_VARIABLE vask_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
  OUTPUT_VARIABLE vask_winpthread OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(vask_gcc_dlls "${vask_libstdcxx}" DIRECTORY)
get_filename_component(vask_pthread_dlls "${vask_winpthread}" DIRECTORY)
set(VASK_MINGW_RUNTIME_DLLS
  "${vask_gcc_dlls}/libstdc++-6.dll" "${vask_gcc_dlls}/libgcc_s_seh-1.dll"
  "${vask_pthread_dlls}/libwinpthread-1.dll")
foreach(dll ${VASK_MINGW_RUNTIME_DLLS})
  if(NOT EXISTS "${dll}")
    message(FATAL_ERROR "The mingw runtime ${dll} is missing")
  endif()
endforeach()

# The Qt and runtime DLLs as the programs load them, stripped of their symbols (the
# runtime's DLLs carry twenty megabytes of them): in the package, and under wine for the
# tests. Under wine the Linux file system is drive Z:. The programs find the DLLs in one
# folder on WINEPATH (one entry: CTest's environment lists split at semicolons), and
# Qt's plugins beside themselves, as in the package (Qt does not take them from a
# QT_PLUGIN_PATH on drive Z:).
set(VASK_QT_RUNTIME "${CMAKE_BINARY_DIR}/qt-runtime")
if(NOT CMAKE_STRIP)
  message(FATAL_ERROR "The mingw-w64 strip program is missing")
endif()
function(vask_copy_stripped from to)
  get_filename_component(name "${from}" NAME)
  if("${from}" IS_NEWER_THAN "${to}/${name}")
    file(MAKE_DIRECTORY "${to}")
    execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded "${from}" -o "${to}/${name}"
      RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "Could not strip ${from}")
    endif()
  endif()
endfunction()
file(GLOB vask_qt_dlls "${VASK_QT_WINDOWS_CACHE}/bin/*.dll")
foreach(dll ${vask_qt_dlls} ${VASK_MINGW_RUNTIME_DLLS})
  vask_copy_stripped("${dll}" "${VASK_QT_RUNTIME}")
endforeach()
foreach(kind platforms styles)
  file(GLOB plugins "${VASK_QT_WINDOWS_CACHE}/plugins/${kind}/*.dll")
  foreach(plugin ${plugins})
    foreach(folder qt-runtime app tests/ui)
      vask_copy_stripped("${plugin}" "${CMAKE_BINARY_DIR}/${folder}/${kind}")
    endforeach()
  endforeach()
endforeach()
# Qt's offscreen platform on Windows reads fonts only from one folder (it has no font
# configuration to ask), and Qt ships none: the widget tests get the same sans-serif
# font the Linux tests draw with, so that sizes measured in text agree. Wine hands no
# QT_ variable to its programs, so the folder is the one Qt looks in by default:
# lib/fonts under its prefix, the folder above its DLLs' folder.
file(GLOB vask_sans_fonts /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold*.ttf /usr/share/fonts/truetype/dejavu/DejaVuSans-Oblique.ttf)
if(NOT vask_sans_fonts)
  message(FATAL_ERROR "The Windows widget tests need the DejaVu fonts (fonts-dejavu-core)")
endif()
file(COPY ${vask_sans_fonts} DESTINATION "${CMAKE_BINARY_DIR}/lib/fonts")
set(VASK_WINE_QT_ENVIRONMENT
  "WINEDEBUG=-all"
  "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix"
  "WINEPATH=Z:${VASK_QT_RUNTIME}")
