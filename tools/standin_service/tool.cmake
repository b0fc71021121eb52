# Stand-in for the product's background service (the command channel's far
# end). Console program; see standin_service/main.cpp.
add_executable(standin_service
    standin_service/main.cpp
    standin_service/service_options.cpp
    standin_service/service_objects.cpp
    standin_service/request_log.cpp)
set_target_properties(standin_service PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${STANDIN_DIR})
target_include_directories(standin_service PRIVATE ${CMAKE_SOURCE_DIR})
quarnel_tool_flags(standin_service)
