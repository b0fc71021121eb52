# The one line that refuses an empty payload, at configure (Payload.cmake)
# and again at every build (PayloadDigest.cmake), since the file can be
# emptied in between: a launcher around it could never install anything.
function(quarnel_refuse_empty_payload path)
  file(SIZE "${path}" bytes)
  if(bytes EQUAL 0)
    message(FATAL_ERROR "QUARNEL_SETUP_PAYLOAD names an empty file: \"${path}\"")
  endif()
endfunction()
