# Window tests on Qt's offscreen platform: GoogleTest with a main that makes the QApplication.
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
add_executable(window_tests
  window_test_main.cpp
  window_fixture.cpp
  ${PROJECT_SOURCE_DIR}/tests/model/model_fixture.cpp
  form1_layout_test.cpp
  ports_grid_test.cpp
  role_chooser_test.cpp
  session_page_test.cpp
  message_boxes_test.cpp
)
target_link_libraries(window_tests PRIVATE tarvello_window tarvello_test_support Qt6::Test
  GTest::gtest)
target_compile_definitions(window_tests PRIVATE TARVELLO_TEST_DATA="${TARVELLO_TEST_DATA}")
tarvello_warnings(window_tests)
gtest_discover_tests(window_tests DISCOVERY_TIMEOUT 60)

# Pictures of the window to look at by eye (run under xvfb-run); not a test.
add_executable(window_screenshots EXCLUDE_FROM_ALL window_screenshots.cpp window_fixture.cpp
  ${PROJECT_SOURCE_DIR}/tests/model/model_fixture.cpp)
target_link_libraries(window_screenshots PRIVATE tarvello_window tarvello_wizard simswitch
  tarvello_test_support Qt6::Test GTest::gtest)
target_compile_definitions(window_screenshots PRIVATE TARVELLO_TEST_DATA="${TARVELLO_TEST_DATA}")
tarvello_warnings(window_screenshots)
