# Cross toolchain: 64-bit Windows (PE32+) with MinGW-w64, posix thread model.
# Builds only the product's stand-ins that a 64-bit Windows runs as 64-bit
# processes (tools/standins64); the launcher stays 32-bit.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUARNEL_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER   ${QUARNEL_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUARNEL_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${QUARNEL_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUARNEL_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
