# The release's one version, d.dd.dddd. It is the project's version, both
# version numbers and strings of res/version.rc and the manifest's
# assemblyIdentity. The launcher compares the first four characters of
# "FileVersion" as text, so only this form compares as its numbers read.
set(QUARNEL_VERSION "1.40.0410" CACHE STRING "The release's version, d.dd.dddd (1.41.0500)")
if(NOT QUARNEL_VERSION MATCHES "^([0-9])\\.([0-9])([0-9])\\.([0-9][0-9][0-9][0-9])$")
  message(FATAL_ERROR "QUARNEL_VERSION \"${QUARNEL_VERSION}\" is not of the form d.dd.dddd, as 1.41.0500")
endif()
# 1.40.0410: the numbers 1,4,0,410, one for each digit before the build.
math(EXPR quarnel_build_number "${CMAKE_MATCH_4}")
set(QUARNEL_VERSION_FIELDS "${CMAKE_MATCH_1},${CMAKE_MATCH_2},${CMAKE_MATCH_3},${quarnel_build_number}")
string(REPLACE "," "." QUARNEL_VERSION_DOTTED "${QUARNEL_VERSION_FIELDS}")

# The resource scripts get the values through a header and a manifest that
# are rewritten only when they change (a rewrite would rebuild the launcher).
function(quarnel_write_version_files)
  set(dir ${CMAKE_BINARY_DIR}/generated)
  configure_file(${CMAKE_SOURCE_DIR}/res/Quarnel.manifest.in ${dir}/Quarnel.manifest @ONLY)
  file(CONFIGURE OUTPUT ${dir}/quarnel_version.h @ONLY CONTENT
"// The release's version (cmake/Version.cmake, from QUARNEL_VERSION).
#define QUARNEL_VERSION_FIELDS @QUARNEL_VERSION_FIELDS@
#define QUARNEL_VERSION_TEXT \"@QUARNEL_VERSION@\"
#define QUARNEL_MANIFEST_FILE \"${dir}/Quarnel.manifest\"
")
  set(QUARNEL_VERSION_FILES ${dir}/quarnel_version.h ${dir}/Quarnel.manifest PARENT_SCOPE)
endfunction()
