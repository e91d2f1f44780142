# The Linux program: the Qt toolkit backend, the X11 desktop backend and the executable
# pilgrove with its install rules. Included from src/CMakeLists.txt with -DPILGROVE_LINUX_APP=ON.
#
#   pilgrove_toolkit_qt      toolkit peers and loops on Qt 6 Widgets
#   pilgrove_platform_x11    desktop services on Xlib, XTest, MIT-SHM (its own cmake file)
#   pilgrove                 the program, defined once src/Pilgrove.cpp exists
include(GNUInstallDirs)
include(${PROJECT_SOURCE_DIR}/src/platform/x11/X11Platform.cmake)

if(NOT TARGET pilgrove_toolkit_qt)
  pilgrove_layer(pilgrove_toolkit_qt toolkit/qt)
  target_link_libraries(pilgrove_toolkit_qt PUBLIC Qt6::Widgets)
endif()

set(PILGROVE_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging/linux)

file(GLOB pilgrove_linux_main CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/Pilgrove.cpp)
if(pilgrove_linux_main)
  add_executable(pilgrove ${pilgrove_linux_main})
  pilgrove_link(pilgrove pilgrove_toolkit_qt pilgrove_platform_x11)
  # The window and tray icon, also when the program runs from the build tree.
  qt_add_resources(pilgrove pilgrove_icons PREFIX /pilgrove
                   BASE ${PILGROVE_PACKAGING_DIR}/icons
                   FILES ${PILGROVE_PACKAGING_DIR}/icons/pilgrove-16.png
                         ${PILGROVE_PACKAGING_DIR}/icons/pilgrove-48.png)

  # Where desktop environments look: the menu entry in applications/, the icon in the
  # hicolor theme under the name the entry gives.
  install(TARGETS pilgrove RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PILGROVE_PACKAGING_DIR}/pilgrove.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  foreach(size 16 48)
    install(FILES ${PILGROVE_PACKAGING_DIR}/icons/pilgrove-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME pilgrove.png)
  endforeach()
endif()
