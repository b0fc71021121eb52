# Where the MinGW-w64 GCC toolchain keeps its runtime and its C++ library's
# headers, asked of its own driver: Clang builds and analyses on the same
# ones. Sets QUARNEL_GCC_LIB_DIR and QUARNEL_GCC_CXX_INCLUDES (the three
# libstdc++ include folders, in GCC's order).
set(QUARNEL_GCC_DRIVER i686-w64-mingw32-g++-posix)
execute_process(COMMAND ${QUARNEL_GCC_DRIVER} -print-libgcc-file-name
    OUTPUT_VARIABLE quarnel_libgcc OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE quarnel_libgcc_result)
if(NOT quarnel_libgcc_result EQUAL 0 OR NOT EXISTS "${quarnel_libgcc}")
  message(FATAL_ERROR "${QUARNEL_GCC_DRIVER} does not name its libgcc: install g++-mingw-w64-i686-posix")
endif()
get_filename_component(QUARNEL_GCC_LIB_DIR "${quarnel_libgcc}" DIRECTORY)
set(QUARNEL_GCC_CXX_INCLUDES
    ${QUARNEL_GCC_LIB_DIR}/include/c++
    ${QUARNEL_GCC_LIB_DIR}/include/c++/i686-w64-mingw32
    ${QUARNEL_GCC_LIB_DIR}/include/c++/backward)
