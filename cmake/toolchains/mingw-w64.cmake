# Cross-compiles for Windows with Debian's mingw-w64, for the architecture
# the including toolchain file names (the -posix compilers: only they have
# std::thread and std::mutex).
set(CMAKE_SYSTEM_NAME Windows)
set(VIMARU_MINGW_TRIPLE ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${VIMARU_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VIMARU_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VIMARU_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VIMARU_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
