# Installation and the Debian package.
#
# `cmake --install build --prefix DIR` makes DIR a self-contained program
# folder: the configurator, kc40927-cli and the updater stand-ins side by side,
# LANGUAGE with the example language files and flags, and an empty MASTER for
# the maker's firmware images. The configurator keeps its data there when DIR
# is writable, and in the user's data folder when it is not.
#
# The Debian package (scripts/package, CPack) puts that folder in
# /opt/kc40927 and adds a desktop entry, an icon and /usr/bin/kc40927-cli.
# Those three lie outside the program folder: they form the component
# "desktop", which only the package installs.

set(kc_program_targets kc40927-configurator kc40927-cli)
file(GLOB kc_updater_dirs LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/updaters/*)
foreach(dir ${kc_updater_dirs})
  if(IS_DIRECTORY ${dir})
    get_filename_component(name ${dir} NAME)
    list(APPEND kc_program_targets ${name})
  endif()
endforeach()

install(TARGETS ${kc_program_targets} RUNTIME DESTINATION . COMPONENT program)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/dist/LANGUAGE DESTINATION . COMPONENT program)
install(DIRECTORY DESTINATION MASTER COMPONENT program)

if(WIN32)
  # The Windows installer and the portable zip instead of the Debian package.
  include(${CMAKE_SOURCE_DIR}/cmake/windows/package.cmake)
  return()
endif()

set(kc_package_dir /opt/kc40927)
set(kc_cli_link ${CMAKE_BINARY_DIR}/package/kc40927-cli)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
file(CREATE_LINK ${kc_package_dir}/kc40927-cli ${kc_cli_link} SYMBOLIC)
install(FILES ${kc_cli_link} DESTINATION /usr/bin COMPONENT desktop EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_SOURCE_DIR}/dist/kc40927-configurator.desktop
        DESTINATION /usr/share/applications COMPONENT desktop EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_SOURCE_DIR}/dist/kc40927.svg
        DESTINATION /usr/share/icons/hicolor/scalable/apps COMPONENT desktop EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kc40927-configurator)
set(CPACK_PACKAGE_VENDOR "Vorlantech")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configurator of the KX40927 PROFIBUS DP slave / Modbus master converter")
set(CPACK_PACKAGE_DESCRIPTION
    "Keeps named configurations, edits their documents with the device's checks, compiles the configuration image, writes the GSD file and hands firmware and configuration to the updater programs. Installs into /opt/kc40927; user data lives in ~/.local/share/Vorlantech/kc40927.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${kc_package_dir})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL program desktop)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "KX40927 configurator developers <configurator@maker.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# The offscreen and xcb platform plugins are not libraries the programs link.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_PACKAGE_FILE_NAME_WITHOUT_COMPONENT ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR})
include(CPack)
