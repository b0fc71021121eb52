# Authenticode signing of the launcher, for release builds. Off unless both
# the certificate and the key are given; an unsigned build stays
# byte-for-byte reproducible, a signed one carries its signing time.
#   cmake --preset release -DQUARNEL_SIGN_CERT=chain.pem -DQUARNEL_SIGN_KEY=key.pem \
#         [-DQUARNEL_SIGN_PASSWORD_FILE=pass.txt] [-DQUARNEL_SIGN_TIMESTAMP_URL=http://...]
set(QUARNEL_SIGN_CERT "" CACHE FILEPATH
    "Code-signing certificate (with its chain), PEM or SPC; empty: unsigned build")
set(QUARNEL_SIGN_KEY "" CACHE FILEPATH "Private key of the code-signing certificate")
set(QUARNEL_SIGN_PASSWORD_FILE "" CACHE FILEPATH
    "File holding the private key's password (empty: the key is not encrypted)")
set(QUARNEL_SIGN_TIMESTAMP_URL "" CACHE STRING
    "RFC 3161 time-stamp server; empty: no time stamp")

# Signs `target`'s output in place after every link.
function(quarnel_sign_after_link target)
  if(QUARNEL_SIGN_CERT STREQUAL "" AND QUARNEL_SIGN_KEY STREQUAL "")
    return()
  endif()
  if(QUARNEL_SIGN_CERT STREQUAL "" OR QUARNEL_SIGN_KEY STREQUAL "")
    message(FATAL_ERROR "Signing needs both QUARNEL_SIGN_CERT and QUARNEL_SIGN_KEY")
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND}
              -DQUARNEL_SIGN_FILE=$<TARGET_FILE:${target}>
              -DQUARNEL_SIGN_CERT=${QUARNEL_SIGN_CERT}
              -DQUARNEL_SIGN_KEY=${QUARNEL_SIGN_KEY}
              -DQUARNEL_SIGN_PASSWORD_FILE=${QUARNEL_SIGN_PASSWORD_FILE}
              -DQUARNEL_SIGN_TIMESTAMP_URL=${QUARNEL_SIGN_TIMESTAMP_URL}
              -P ${CMAKE_SOURCE_DIR}/cmake/SignExecutable.cmake
      COMMENT "Signing $<TARGET_FILE_NAME:${target}> (Authenticode, SHA-256)"
      VERBATIM)
endfunction()
