# Holds Wine's desktop open while test.sh, demo.sh or bench.sh run.
add_executable(desktop_keeper WIN32 ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
set_target_properties(desktop_keeper PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${STANDIN_DIR})
quarnel_tool_flags(desktop_keeper)
target_link_options(desktop_keeper PRIVATE -mwindows)
