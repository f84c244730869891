# The program with the toolkit's accessibility bridge alone, without the
# guard in front of it: for the bridge comparison test and the guard's
# benchmark, never installed. Included by both, defined once.
if(NOT TARGET wavywall_bridge_alone)
    qt_add_executable(wavywall_bridge_alone ${CMAKE_CURRENT_LIST_DIR}/bridge_alone_main.cpp)
    target_link_libraries(wavywall_bridge_alone PRIVATE windows app_icon toolkit_translations)
endif()
