# Cross toolchain: 32-bit Windows (PE32) with MinGW-w64, posix thread model.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUARNEL_TRIPLE i686-w64-mingw32)

set(CMAKE_C_COMPILER   ${QUARNEL_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUARNEL_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${QUARNEL_TRIPLE}-windres)
set(CMAKE_OBJDUMP      ${QUARNEL_TRIPLE}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${QUARNEL_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Every test executable runs through Wine in the build tree's own prefix
# (CMAKE_BINARY_DIR is the tree being configured).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-emulator.sh ${CMAKE_BINARY_DIR})
