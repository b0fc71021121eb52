# Chooses the payload and makes res/Quarnel.rc depend on it, so a changed
# payload file rebuilds the launcher.
include(${CMAKE_CURRENT_LIST_DIR}/EmptyPayload.cmake)
if(QUARNEL_SETUP_PAYLOAD STREQUAL "")
  message(FATAL_ERROR "QUARNEL_SETUP_PAYLOAD is not set: give the installer to embed "
          "(-DQUARNEL_SETUP_PAYLOAD=/path/to/setup.exe), or -DQUARNEL_SETUP_PAYLOAD=standin "
          "for the project's stand-in installer, which installs nothing real")
elseif(QUARNEL_SETUP_PAYLOAD STREQUAL "sample")
  # The sample product's NSIS installer (installer/installer.cmake).
  set(QUARNEL_PAYLOAD_PATH "${QUARNEL_SAMPLE_SETUP}")
  set(QUARNEL_PAYLOAD_TARGET zelvane_setup)
elseif(NOT QUARNEL_SETUP_PAYLOAD STREQUAL "standin")
  if(NOT IS_ABSOLUTE "${QUARNEL_SETUP_PAYLOAD}" OR NOT EXISTS "${QUARNEL_SETUP_PAYLOAD}"
     OR IS_DIRECTORY "${QUARNEL_SETUP_PAYLOAD}")
    message(FATAL_ERROR "QUARNEL_SETUP_PAYLOAD names no file by an absolute path: "
            "\"${QUARNEL_SETUP_PAYLOAD}\"")
  endif()
  quarnel_refuse_empty_payload("${QUARNEL_SETUP_PAYLOAD}")
  set(QUARNEL_PAYLOAD_PATH "${QUARNEL_SETUP_PAYLOAD}")
  set(QUARNEL_PAYLOAD_TARGET "")
else()
  # The stand-in installer grown to the real installer's 8,527,640 bytes
  # (trailing data after the last section is ignored by the loader), so the
  # launcher writes and benchmarks a payload of the shipping size.
  set(QUARNEL_PAYLOAD_PATH "${CMAKE_BINARY_DIR}/payload/standin_setup_payload.exe")
  add_custom_command(OUTPUT ${QUARNEL_PAYLOAD_PATH}
      COMMAND ${CMAKE_SOURCE_DIR}/cmake/pad-file.sh $<TARGET_FILE:standin_installer>
              ${QUARNEL_PAYLOAD_PATH} 8527640
      DEPENDS standin_installer ${CMAKE_SOURCE_DIR}/cmake/pad-file.sh
      COMMENT "Padding the stand-in installer to 8,527,640 bytes")
  set(QUARNEL_PAYLOAD_TARGET quarnel_payload)
  add_custom_target(quarnel_payload DEPENDS ${QUARNEL_PAYLOAD_PATH})
endif()
set(QUARNEL_PAYLOAD_FOR_RC "${QUARNEL_PAYLOAD_PATH}")
file(GLOB QUARNEL_RESOURCE_FILES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/res/*.rc ${CMAKE_SOURCE_DIR}/res/*.h
     ${CMAKE_SOURCE_DIR}/res/*.manifest ${CMAKE_SOURCE_DIR}/res/png/*.png
     ${CMAKE_SOURCE_DIR}/res/icon/*.ico)
# The resource script names the payload through a header, which no build
# rule tracks, and a file's time stamp can be older than the last build (a
# copy that kept its time). So the resource depends on a digest of the path
# and the content, checked on every build and rewritten only when it differs.
set(QUARNEL_PAYLOAD_DIGEST ${CMAKE_BINARY_DIR}/generated/payload_digest.txt)
add_custom_target(quarnel_payload_digest
    COMMAND ${CMAKE_COMMAND} -DPAYLOAD=${QUARNEL_PAYLOAD_PATH} -DDIGEST=${QUARNEL_PAYLOAD_DIGEST}
            -P ${CMAKE_CURRENT_LIST_DIR}/PayloadDigest.cmake
    BYPRODUCTS ${QUARNEL_PAYLOAD_DIGEST} VERBATIM)
if(QUARNEL_PAYLOAD_TARGET)
  add_dependencies(quarnel_payload_digest ${QUARNEL_PAYLOAD_TARGET})
endif()
set(QUARNEL_RESOURCE_DEPENDS
    "${QUARNEL_PAYLOAD_PATH};${QUARNEL_PAYLOAD_DIGEST};${QUARNEL_RESOURCE_FILES}")
