# Cross-builds the Windows program on Linux with MinGW-w64's GCC (Debian's posix flavour, which
# has std::thread and std::mutex) and runs what it builds under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(SELVARA_MINGW_HOST x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${SELVARA_MINGW_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SELVARA_MINGW_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${SELVARA_MINGW_HOST}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${SELVARA_MINGW_HOST})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One .exe that needs nothing beside it: the C++ and GCC runtimes and winpthread linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(SELVARA_WINE wine REQUIRED)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${SELVARA_WINE})
endif()
