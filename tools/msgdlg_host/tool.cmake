# Test host: shows one message dialog with a request from its command line,
# so that GUI tests can drive the real dialog from another process.
add_executable(msgdlg_host WIN32
    ${CMAKE_CURRENT_LIST_DIR}/main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/host_options.cpp
    ${CMAKE_CURRENT_LIST_DIR}/beep_probe.cpp
    ${CMAKE_CURRENT_LIST_DIR}/high_contrast_probe.cpp
    ${CMAKE_CURRENT_LIST_DIR}/import_redirect.cpp
    ${CMAKE_CURRENT_LIST_DIR}/host_report.cpp
    ${CMAKE_CURRENT_LIST_DIR}/host.rc)
set_target_properties(msgdlg_host PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${STANDIN_DIR})
target_link_libraries(msgdlg_host PRIVATE quarnel_harness)
target_include_directories(msgdlg_host PRIVATE ${CMAKE_SOURCE_DIR}/res)
quarnel_tool_flags(msgdlg_host)
target_link_options(msgdlg_host PRIVATE -mwindows)
file(GLOB MSGDLG_HOST_RESOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/res/*.rc ${CMAKE_SOURCE_DIR}/res/*.h
     ${CMAKE_SOURCE_DIR}/res/png/*.png ${CMAKE_SOURCE_DIR}/res/icon/*.ico)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/host.rc PROPERTIES
    OBJECT_DEPENDS "${MSGDLG_HOST_RESOURCES}")
