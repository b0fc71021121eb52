# Signs a Windows executable in place with an Authenticode signature (SHA-256)
# through osslsigncode. The build runs it after linking Quarnel.exe when
# signing is configured (cmake/Signing.cmake); the signing check runs the
# same script on a copy, so both take one road.
#
#   cmake -DQUARNEL_SIGN_FILE=<exe> -DQUARNEL_SIGN_CERT=<certificate chain, PEM or SPC>
#         -DQUARNEL_SIGN_KEY=<private key, PEM or DER>
#         [-DQUARNEL_SIGN_PASSWORD_FILE=<file holding the key's password>]
#         [-DQUARNEL_SIGN_TIMESTAMP_URL=<RFC 3161 time-stamp server>]
#         -P cmake/SignExecutable.cmake
#
# The file is replaced only once osslsigncode has written a whole signed copy,
# so a failed signing leaves the unsigned file and fails the step.

foreach(required QUARNEL_SIGN_FILE QUARNEL_SIGN_CERT QUARNEL_SIGN_KEY)
  if(NOT DEFINED ${required} OR "${${required}}" STREQUAL "")
    message(FATAL_ERROR "Signing: ${required} is not set")
  endif()
endforeach()
foreach(input QUARNEL_SIGN_FILE QUARNEL_SIGN_CERT QUARNEL_SIGN_KEY QUARNEL_SIGN_PASSWORD_FILE)
  if(NOT "${${input}}" STREQUAL "" AND NOT EXISTS "${${input}}")
    message(FATAL_ERROR "Signing: ${input} names a missing file: ${${input}}")
  endif()
endforeach()

find_program(QUARNEL_OSSLSIGNCODE osslsigncode)
if(NOT QUARNEL_OSSLSIGNCODE)
  message(FATAL_ERROR "Signing: osslsigncode not found (Debian package osslsigncode)")
endif()

set(signed "${QUARNEL_SIGN_FILE}.signed")
set(arguments sign -h sha256 -n "Quarnel Launcher"
    -certs "${QUARNEL_SIGN_CERT}" -key "${QUARNEL_SIGN_KEY}")
if(NOT "${QUARNEL_SIGN_PASSWORD_FILE}" STREQUAL "")
  # Read from the file by osslsigncode itself: the password never appears on
  # a command line or in the build log.
  list(APPEND arguments -readpass "${QUARNEL_SIGN_PASSWORD_FILE}")
endif()
if(NOT "${QUARNEL_SIGN_TIMESTAMP_URL}" STREQUAL "")
  list(APPEND arguments -ts "${QUARNEL_SIGN_TIMESTAMP_URL}")
endif()
list(APPEND arguments -in "${QUARNEL_SIGN_FILE}" -out "${signed}")

file(REMOVE "${signed}")
execute_process(COMMAND "${QUARNEL_OSSLSIGNCODE}" ${arguments}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0 OR NOT EXISTS "${signed}")
  file(REMOVE "${signed}")
  message(FATAL_ERROR "Signing ${QUARNEL_SIGN_FILE} failed (${status}):\n${output}")
endif()
file(RENAME "${signed}" "${QUARNEL_SIGN_FILE}")
message(STATUS "Signed ${QUARNEL_SIGN_FILE} (Authenticode, SHA-256)")
