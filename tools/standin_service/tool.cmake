# Stand-in for the product's background service (the command channel's far
# end). Console program; see standin_service/main.cpp.
add_executable(standin_service
    standin_service/main.cpp
    standin_service/service_options.cpp
    standin_service/service_objects.cpp
    standin_service/channel_objects.cpp
    standin_service/request_log.cpp
    ${CMAKE_SOURCE_DIR}/channel/null_dacl_security.cpp)
set_target_properties(standin_service PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${STANDIN_DIR})
target_include_directories(standin_service PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(standin_service PRIVATE standin_common)
quarnel_tool_flags(standin_service)
