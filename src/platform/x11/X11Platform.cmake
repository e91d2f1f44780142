# The X11 desktop backend as the OBJECT library pilgrove_platform_x11, with the system
# libraries it needs. Include it from any CMakeLists that links the backend; the imported
# targets are looked up in every including directory, the library is defined once.
find_package(X11 REQUIRED)
find_package(Qt6 REQUIRED COMPONENTS Widgets)
if(NOT X11_Xtst_FOUND OR NOT X11_Xext_FOUND)
  message(FATAL_ERROR "the X11 backend needs libXtst and libXext (libxtst-dev, libxext-dev)")
endif()

if(NOT TARGET pilgrove_platform_x11)
  file(RELATIVE_PATH pilgrove_x11_folder ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_LIST_DIR})
  pilgrove_layer(pilgrove_platform_x11 ${pilgrove_x11_folder})
  target_link_libraries(pilgrove_platform_x11 PUBLIC X11::X11 X11::Xtst X11::Xext Qt6::Widgets)
endif()
