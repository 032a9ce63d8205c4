# Host build: the portable core's unit tests over the fake platform.
find_package(GTest REQUIRED)

add_library(kestrafil_fake STATIC tests/fake/fake_platform.cpp tests/fake/event_loop_step.cpp)
target_link_libraries(kestrafil_fake PUBLIC kestrafil_core)

file(GLOB host_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/host/*_test.cpp)
add_executable(host_tests ${host_test_sources})
target_link_libraries(host_tests PRIVATE kestrafil_fake GTest::gtest GTest::gtest_main GTest::gmock)
include(GoogleTest)
gtest_discover_tests(host_tests DISCOVERY_MODE PRE_TEST)
