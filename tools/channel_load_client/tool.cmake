# A command-channel client for the load test: many of these run at once
# against one stand-in service. Uses the launcher's own channel code.
add_executable(channel_load_client channel_load_client/main.cpp)
set_target_properties(channel_load_client PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${STANDIN_DIR})
target_link_libraries(channel_load_client PRIVATE quarnel_core)
quarnel_tool_flags(channel_load_client)
