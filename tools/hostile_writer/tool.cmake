# Plays another process on the machine that rewrites the launcher's
# installer copy before it runs.
add_executable(hostile_writer ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
set_target_properties(hostile_writer PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${STANDIN_DIR})
target_link_libraries(hostile_writer PRIVATE standin_common quarnel_harness)
quarnel_tool_flags(hostile_writer)
