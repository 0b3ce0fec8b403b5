# The Windows program folder as `cmake --install` makes it: the programs with
# the Qt and MinGW runtime DLLs and the plugins they load beside them, so that
# nothing else is needed on the target. scripts/package --windows turns it
# into the installer (cmake/windows/installer.nsi) and the portable zip.
install(FILES ${kc_windows_dlls} DESTINATION . COMPONENT program)
foreach(plugin ${kc_windows_plugins})
  get_filename_component(sub ${plugin} DIRECTORY)
  install(FILES ${kc_qt_kit_dir}/plugins/${plugin} DESTINATION ${sub} COMPONENT program)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/dist/windows/kc40927.ico DESTINATION . COMPONENT program)
