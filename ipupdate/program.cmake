# The provider this build works with: where its record-change page lies and its two domain
# types. Point the host at any server, a test server on loopback included.
set(OSTRAND_PROVIDER_HOST "ddns.example.net" CACHE STRING
    "Host of the provider's record-change page, optionally with :port")
set(OSTRAND_DOMAIN_SUFFIX_1 ".dyn.example.net" CACHE STRING "First domain type in the list")
set(OSTRAND_DOMAIN_SUFFIX_2 ".dyn.example.com" CACHE STRING "Second domain type in the list")
configure_file(providerconfig.h.in ${CMAKE_BINARY_DIR}/ipupdate/providerconfig.h @ONLY)

find_package(Qt6 6.4 REQUIRED COMPONENTS WebEngineCore)

# The windows and the unseen provider page, apart from main() so that tests drive them.
qt_add_library(ipupdate_window STATIC
    frmabout.cpp frmabout.h frmabout.ui
    frmmain.cpp frmmain.h frmmain.ui
    handcursor.cpp handcursor.h
    providerpage.cpp providerpage.h
    providerconfig.h.in
)
# The windows' headers include their generated form classes, so whoever includes them needs
# the place where those are generated.
target_include_directories(ipupdate_window PUBLIC ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}
    ${CMAKE_CURRENT_BINARY_DIR}/ipupdate_window_autogen/include)
target_link_libraries(ipupdate_window PUBLIC ipupdate_core common_window Qt6::Widgets Qt6::WebEngineCore)
qt_add_resources(ipupdate_window ostrand_resources
    PREFIX /ipupdate
    FILES icons/ostrand.svg providerpage.js
)

qt_add_executable(Ostrand WIN32 main.cpp)
target_link_libraries(Ostrand PRIVATE ipupdate_window)

# Tests of the windows. Those with the browser engine switch its sandbox off, as it cannot
# start as root; the program itself never does. The engine's own code deletes some objects
# through a base of another size, which AddressSanitizer would stop at; that one check is
# left out for them, every other one stays.
set(engine_test_environment "QT_QPA_PLATFORM=offscreen" "QTWEBENGINE_DISABLE_SANDBOX=1")
if(SANITIZE)
    list(APPEND engine_test_environment "ASAN_OPTIONS=detect_leaks=0:new_delete_type_mismatch=0")
endif()
foreach(test_name test_providerpage test_frmmain)
    add_widget_test(${test_name} SOURCES tests/${test_name}.cpp tests/test_frmmain_fixture.h
                    tests/testserver.cpp tests/testserver.h tests/fakestartup.h
                    LIBRARIES ipupdate_window common_testing Qt6::Network)
    set_tests_properties(${test_name} PROPERTIES ENVIRONMENT "${engine_test_environment}" TIMEOUT 300)
endforeach()
add_widget_test(test_frmabout SOURCES tests/test_frmabout.cpp LIBRARIES ipupdate_window)
