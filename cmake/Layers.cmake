# Every layer and backend is an OBJECT library made of the .cpp files of its folder.
# A binary links the portable layers plus exactly one toolkit backend and one desktop
# backend; the backend is chosen here, at link time, never at run time.
function(pilgrove_layer name folder)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(sources)
    add_library(${name} OBJECT ${sources})
  else()
    add_library(${name} INTERFACE)
  endif()
  if(sources)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  else()
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
  endif()
endfunction()

# Links the portable layers and the given backends into target.
function(pilgrove_link target)
  target_link_libraries(${target} PRIVATE pilgrove_ui pilgrove_engine pilgrove_matching
                                          pilgrove_toolkit ${ARGN})
endfunction()
