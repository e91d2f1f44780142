# Cross build for 64-bit Windows with mingw-w64 (Debian's g++-mingw-w64-x86-64-posix).
#
#   cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
#
# The posix thread model is required: GoogleTest needs std::mutex and friends, which the
# win32 thread model of GCC 12 does not provide. Everything is linked statically, so the
# programs need no DLL beyond the ones every Windows system has. Test programs run under
# Wine through scripts/wine-run.sh, with a Wine prefix kept inside the build tree.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PILGROVE_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PILGROVE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PILGROVE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${PILGROVE_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PILGROVE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthread are linked in; without -static the exe would need
# libwinpthread-1.dll, which no Windows system ships.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

get_filename_component(PILGROVE_SOURCE_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR
    "${PILGROVE_SOURCE_ROOT}/scripts/wine-run.sh;${CMAKE_BINARY_DIR}/wineprefix")
