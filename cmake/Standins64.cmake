# The product's stand-ins built for x86-64 (tools/standins64), for the test
# lane that runs in a 64-bit Wine prefix. An external project, since one
# CMake build has one toolchain; rebuilt whenever the main build runs, so an
# edit of a stand-in's source reaches both builds.
include(ExternalProject)

set(QUARNEL_STANDIN64_DIR ${CMAKE_BINARY_DIR}/bin/standins64)
ExternalProject_Add(standins64
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools/standins64
    BINARY_DIR ${CMAKE_BINARY_DIR}/standins64
    CMAKE_ARGS
        -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/toolchain-x86_64-mingw.cmake
        -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
        -DQUARNEL_SOURCE_DIR=${CMAKE_SOURCE_DIR}
        -DQUARNEL_STANDIN64_DIR=${QUARNEL_STANDIN64_DIR}
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS
        ${QUARNEL_STANDIN64_DIR}/standin_service.exe
        ${QUARNEL_STANDIN64_DIR}/standin_installer.exe
        ${QUARNEL_STANDIN64_DIR}/Zelvane.exe)
