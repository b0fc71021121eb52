# Second cross toolchain: the same 32-bit Windows target built by Debian's
# Clang and lld, on the MinGW-w64 headers, C++ library and runtime that the
# GCC toolchain installs. A second compiler's code generation checks the
# code that leans on one compiler's (the exception frame, the inline
# assembly, the buffer arithmetic).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUARNEL_TRIPLE i686-w64-mingw32)

set(CMAKE_C_COMPILER   clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET   ${QUARNEL_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${QUARNEL_TRIPLE})
set(CMAKE_RC_COMPILER  ${QUARNEL_TRIPLE}-windres)
set(CMAKE_OBJDUMP      ${QUARNEL_TRIPLE}-objdump)
set(CMAKE_SYSROOT /usr/${QUARNEL_TRIPLE})

# GCC's libstdc++ headers and runtime, so both compilers build on one C++
# library; system include folders, whose warnings are not the project's.
include(${CMAKE_CURRENT_LIST_DIR}/MingwGccPaths.cmake)
list(TRANSFORM QUARNEL_GCC_CXX_INCLUDES PREPEND "-isystem " OUTPUT_VARIABLE quarnel_isystem)
list(JOIN quarnel_isystem " " quarnel_isystem)
set(CMAKE_CXX_FLAGS_INIT "${quarnel_isystem}")
# lld, with the GCC runtime's folder; libgcc_eh's thread-local emulation
# needs winpthreads, which only the GCC driver names by itself (lld takes
# archive members whatever the order on its command line).
set(QUARNEL_CLANG_LINK "-fuse-ld=lld -L${QUARNEL_GCC_LIB_DIR} -lwinpthread")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${QUARNEL_CLANG_LINK}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${QUARNEL_CLANG_LINK}")

set(CMAKE_FIND_ROOT_PATH /usr/${QUARNEL_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test programs run through Wine in the prefix of QUARNEL_WINE_BUILD_DIR,
# by default this tree's own; test.sh points it at the release tree, so that
# both trees' tests share one Wine session.
if(NOT QUARNEL_WINE_BUILD_DIR)
  set(QUARNEL_WINE_BUILD_DIR ${CMAKE_BINARY_DIR})
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-emulator.sh ${QUARNEL_WINE_BUILD_DIR})
