# The Windows program: the Win32 backends, the application resources and Pilgrove.exe.
# Included from src/CMakeLists.txt when building for Windows (cmake/mingw-w64.cmake).
#
#   pilgrove_platform_win32   desktop services: user32, gdi32, shell32, kernel32
#   pilgrove_toolkit_win32    toolkit peers and message loop: user32, gdi32, comctl32, winmm
#   pilgrove_resources_win32  "MAINICON", version information, manifest (common controls 6,
#                             per-monitor DPI awareness); link it into every program that
#                             shows windows or a tray icon
#   Pilgrove                  Pilgrove.exe, defined once src/Pilgrove.cpp and the toolkit
#                             peers exist
enable_language(RC)

# Links a Win32 layer to its system libraries; the layer is an INTERFACE library while its
# folder is empty.
function(pilgrove_win32_layer name folder)
  pilgrove_layer(${name} ${folder})
  get_target_property(type ${name} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    set(scope INTERFACE)
  else()
    set(scope PUBLIC)
  endif()
  target_compile_definitions(${name} ${scope} WIN32_LEAN_AND_MEAN NOMINMAX)
  target_link_libraries(${name} ${scope} ${ARGN})
endfunction()

pilgrove_win32_layer(pilgrove_platform_win32 platform/win32 user32 gdi32 shell32 kernel32)
pilgrove_win32_layer(pilgrove_toolkit_win32 toolkit/win32 user32 gdi32 comctl32 winmm)

# The resources. The version comes from project(), the .ico and the manifest from res/.
set(PILGROVE_RES_DIR ${PROJECT_SOURCE_DIR}/res)
set(PILGROVE_MANIFEST ${PROJECT_BINARY_DIR}/res/Pilgrove.manifest)
configure_file(${PILGROVE_RES_DIR}/Pilgrove.manifest.in ${PILGROVE_MANIFEST} @ONLY)
configure_file(${PILGROVE_RES_DIR}/Pilgrove.rc.in ${PROJECT_BINARY_DIR}/res/Pilgrove.rc @ONLY)
add_library(pilgrove_resources_win32 OBJECT ${PROJECT_BINARY_DIR}/res/Pilgrove.rc)
set_source_files_properties(${PROJECT_BINARY_DIR}/res/Pilgrove.rc PROPERTIES
  OBJECT_DEPENDS "${PILGROVE_RES_DIR}/Pilgrove.ico;${PILGROVE_MANIFEST}")

# Pilgrove.exe appears by itself once its main file and the toolkit peers are written.
file(GLOB pilgrove_win32_main CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/Pilgrove.cpp)
file(GLOB pilgrove_win32_peers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/toolkit/win32/*.cpp)
if(pilgrove_win32_main AND pilgrove_win32_peers)
  add_executable(Pilgrove WIN32 ${pilgrove_win32_main})
  pilgrove_link(Pilgrove pilgrove_toolkit_win32 pilgrove_platform_win32
                pilgrove_resources_win32)
endif()

# Unit tests in the cross build: GoogleTest is built here from the sources that Debian's
# libgtest-dev ships (with its GTest::gtest, GTest::gtest_main, GTest::gmock aliases), since
# no Windows build of it is installed. The config file written to
# the find_package redirects directory makes tests/'s find_package(GTest) take these
# targets instead of searching for an installed package.
if(PILGROVE_TESTS AND CMAKE_CROSSCOMPILING AND NOT TARGET GTest::gtest)
  set(PILGROVE_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  if(NOT EXISTS ${PILGROVE_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found in ${PILGROVE_GOOGLETEST_SOURCE} "
                        "(install libgtest-dev)")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${PILGROVE_GOOGLETEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest
                   EXCLUDE_FROM_ALL SYSTEM)
  file(WRITE ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/gtest-config.cmake
       "# GoogleTest is built in this tree (cmake/WindowsProgram.cmake).\n")
  file(WRITE ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/gtest-config-version.cmake
       "set(PACKAGE_VERSION ${GOOGLETEST_VERSION})\n"
       "set(PACKAGE_VERSION_COMPATIBLE TRUE)\n")
endif()
