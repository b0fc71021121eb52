# The demo's driver: runs the built launcher through the sample product's
# life and prints what happened (see demo_driver/main.cpp; demo.sh runs it).
# It uses the harness that starts programs, reads the stand-ins' logs and
# works the dialog from outside, as the end-to-end tests do.
file(GLOB DEMO_DRIVER_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
add_executable(demo_driver ${DEMO_DRIVER_SOURCES})
set_target_properties(demo_driver PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${STANDIN_DIR})
target_include_directories(demo_driver PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(demo_driver PRIVATE quarnel_harness)
quarnel_tool_flags(demo_driver)
add_dependencies(demo_driver Quarnel standin_service standin_installer standin_zelvane msgdlg_host)
