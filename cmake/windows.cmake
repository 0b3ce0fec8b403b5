# The Windows build (MinGW-w64 with the Qt kit, see scripts/windows).
#
# Every program folder of the build (bin/, test-bin/) gets what a Windows
# program needs beside it: the Qt DLLs, the MinGW runtime DLLs, and the
# platform, style and image format plugins, as an installed program has them.
# Tests run under Wine through cmake/windows/wine_test.sh, set as the
# emulator of every target, so ctest starts each .exe with Wine.

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/cmake/windows/wine_test.sh)

get_target_property(kc_qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
if(NOT kc_qt_core_dll)
  get_target_property(kc_qt_core_dll Qt6::Core IMPORTED_LOCATION)
endif()
get_filename_component(kc_qt_bin_dir ${kc_qt_core_dll} DIRECTORY)
get_filename_component(kc_qt_kit_dir ${kc_qt_bin_dir} DIRECTORY)

set(kc_windows_dlls)
foreach(module Core Gui Widgets Network Xml SerialPort SerialBus)
  list(APPEND kc_windows_dlls ${kc_qt_bin_dir}/Qt6${module}.dll)
endforeach()
set(kc_windows_test_dlls ${kc_qt_bin_dir}/Qt6Test.dll)

# The compiler's own runtime: libstdc++, libgcc and winpthread.
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    find_file(path_${dll} ${dll} PATHS /usr/x86_64-w64-mingw32/lib /usr/lib/gcc/x86_64-w64-mingw32
              PATH_SUFFIXES 12-posix 13-posix 14-posix NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    set(path ${path_${dll}})
  endif()
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "The MinGW runtime ${dll} is not found beside ${CMAKE_CXX_COMPILER}")
  endif()
  list(APPEND kc_windows_dlls ${path})
endforeach()

set(kc_windows_plugins
    platforms/qwindows.dll platforms/qoffscreen.dll platforms/qminimal.dll
    styles/qwindowsvistastyle.dll imageformats/qico.dll imageformats/qgif.dll imageformats/qjpeg.dll)

# Copies the DLLs and plugins beside the programs of one folder.
function(kc_deploy_windows_runtime target folder)
  set(commands COMMAND ${CMAKE_COMMAND} -E make_directory ${folder})
  foreach(dll ${kc_windows_dlls} ${ARGN})
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy_if_different ${dll} ${folder})
  endforeach()
  foreach(plugin ${kc_windows_plugins})
    get_filename_component(sub ${plugin} DIRECTORY)
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/${sub}
         COMMAND ${CMAKE_COMMAND} -E copy_if_different ${kc_qt_kit_dir}/plugins/${plugin} ${folder}/${sub})
  endforeach()
  add_custom_target(${target} ALL ${commands} VERBATIM)
endfunction()

kc_deploy_windows_runtime(kc_windows_runtime ${CMAKE_BINARY_DIR}/bin)
kc_deploy_windows_runtime(kc_windows_test_runtime ${CMAKE_BINARY_DIR}/test-bin ${kc_windows_test_dlls})

# Precompiled headers of the Windows build: the Qt headers nearly every file
# includes (core ones only, or with Qt Widgets).
set(kc_pch_core_headers
    <QByteArray> <QString> <QStringList> <QList> <QHash> <QMap> <QObject> <QDir> <QFile> <QFileInfo>
    <QDomDocument> <QHostAddress> <QTimer> <algorithm> <functional> <memory> <optional> <vector>)
function(kc_precompile_qt target)
  set(headers ${kc_pch_core_headers})
  foreach(extra ${ARGN})
    if(extra STREQUAL "Widgets")
      list(APPEND headers <QtWidgets>)
    elseif(extra STREQUAL "Test")
      list(APPEND headers <QTest> <QSignalSpy>)
    endif()
  endforeach()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()

# Version information and the icon for a program: a resource script made
# from cmake/windows/program.rc.in.
enable_language(RC)
set(kc_icon_file ${CMAKE_SOURCE_DIR}/dist/windows/kc40927.ico)
function(kc_windows_resources target description)
  set(kc_rc_name ${target})
  set(kc_rc_description ${description})
  configure_file(${CMAKE_SOURCE_DIR}/cmake/windows/program.rc.in ${CMAKE_BINARY_DIR}/rc/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/rc/${target}.rc)
endfunction()
