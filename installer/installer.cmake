# The sample product's NSIS installer (zelvane.nsi), built with makensis
# around the sample Zelvane.exe: bin/installer/Zelvane_Setup.exe, and
# Zelvane_Setup_Reboot.exe, which ends with 3010 as after a restart-pending
# file. -DQUARNEL_SETUP_PAYLOAD=sample embeds the first.
find_program(QUARNEL_MAKENSIS makensis)
if(NOT QUARNEL_MAKENSIS)
  message(FATAL_ERROR "makensis not found: install Debian's nsis (tools/setup/packages.sh does)")
endif()

set(QUARNEL_INSTALLER_DIR ${CMAKE_BINARY_DIR}/bin/installer)
set(QUARNEL_SAMPLE_SETUP ${QUARNEL_INSTALLER_DIR}/Zelvane_Setup.exe)
set(QUARNEL_SAMPLE_SETUP_REBOOT ${QUARNEL_INSTALLER_DIR}/Zelvane_Setup_Reboot.exe)
set(sample_zelvane ${CMAKE_BINARY_DIR}/bin/standins/Zelvane.exe)

# One makensis run writing `output`, with the further defines in ARGN.
function(quarnel_sample_installer output)
  add_custom_command(OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${QUARNEL_INSTALLER_DIR}
      COMMAND ${QUARNEL_MAKENSIS} -V2 -WX -INPUTCHARSET UTF8 -NOCD
              -DVERSION=${QUARNEL_VERSION}
              -DLAUNCHER_FILE_VERSION=${QUARNEL_VERSION_DOTTED}
              -DZELVANE_EXE=${sample_zelvane} -DOUTFILE=${output} ${ARGN}
              ${CMAKE_CURRENT_LIST_DIR}/zelvane.nsi
      DEPENDS ${CMAKE_CURRENT_LIST_DIR}/zelvane.nsi ${sample_zelvane} standin_zelvane
      COMMENT "Building the sample product's NSIS installer ${output}"
      VERBATIM)
endfunction()
quarnel_sample_installer(${QUARNEL_SAMPLE_SETUP})
quarnel_sample_installer(${QUARNEL_SAMPLE_SETUP_REBOOT} -DREBOOT_REQUIRED)
add_custom_target(zelvane_setup ALL DEPENDS ${QUARNEL_SAMPLE_SETUP} ${QUARNEL_SAMPLE_SETUP_REBOOT})
