# The program as it starts, but with the toolkit's accessibility bridge alone
# on the bus, without the guard in front of it: for the test that every call
# the bridge answers is answered the same through the guard, and for the
# guard's benchmark; never installed. Included by both, defined once.
if(NOT TARGET wavywall_bridge_alone)
    qt_add_executable(wavywall_bridge_alone ${PROJECT_SOURCE_DIR}/app/main.cpp)
    target_compile_definitions(wavywall_bridge_alone PRIVATE WAVYWALL_BRIDGE_ALONE)
    target_link_libraries(wavywall_bridge_alone PRIVATE windows bus_guard app_icon toolkit_translations)
endif()
