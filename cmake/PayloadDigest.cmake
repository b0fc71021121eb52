# cmake -DPAYLOAD=<file> -DDIGEST=<file> -P PayloadDigest.cmake
# Writes DIGEST, the payload's path and SHA-256, only when that text differs
# from what it holds, so the resource is rebuilt exactly when either changed.
# A missing payload fails the build, and so does an empty one.
file(SHA256 "${PAYLOAD}" hash)
include(${CMAKE_CURRENT_LIST_DIR}/EmptyPayload.cmake)
quarnel_refuse_empty_payload("${PAYLOAD}")
set(text "${PAYLOAD}\n${hash}\n")
set(held "")
if(EXISTS "${DIGEST}")
  file(READ "${DIGEST}" held)
endif()
if(NOT held STREQUAL text)
  file(WRITE "${DIGEST}" "${text}")
endif()
