# End-to-end tests, one folder each; included from tests/CMakeLists.txt when PILGROVE_E2E is on.
if(NOT WIN32)
  add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/x11 ${CMAKE_CURRENT_BINARY_DIR}/e2e/x11)
  add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/linux ${CMAKE_CURRENT_BINARY_DIR}/e2e/linux)
endif()
if(WIN32)
  add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/win32 ${CMAKE_CURRENT_BINARY_DIR}/e2e/win32)
endif()
