# The settings file, the socket start-up checks and the local address discovery: plain code
# that knows no window, reached by the main window through narrow interfaces.
qt_add_library(ipupdate_core STATIC
    addressdiscovery.cpp addressdiscovery.h
    settingsplace.cpp settingsplace.h
    setini.cpp setini.h
    socketlayer.cpp socketlayer.h
    socketstartup.cpp socketstartup.h
    startupui.h
)
target_include_directories(ipupdate_core PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(ipupdate_core PUBLIC Qt6::Core)

add_widget_test(test_setini SOURCES tests/test_setini.cpp LIBRARIES ipupdate_core)
add_widget_test(test_socketstartup SOURCES tests/test_socketstartup.cpp tests/fakestartup.h
                LIBRARIES ipupdate_core)
add_widget_test(test_addressdiscovery SOURCES tests/test_addressdiscovery.cpp tests/fakestartup.h
                LIBRARIES ipupdate_core)
add_widget_test(test_settingsplace SOURCES tests/test_settingsplace.cpp LIBRARIES ipupdate_core)
