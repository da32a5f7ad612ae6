# Controller and history tests: plain C++, no display.
tarvello_test(history_tests LAYERS tarvello_wizard SOURCES
  address_history_test.cpp
)

# The controller with a fake view against the simulated switch, through the real session.
tarvello_test(wizard_controller_tests LAYERS tarvello_wizard simswitch SOURCES
  fake_view.cpp
  wizard_fixture.cpp
  ${PROJECT_SOURCE_DIR}/tests/switch/session_fixture.cpp
  controller_connect_test.cpp
  controller_session_page_test.cpp
  fault_matrix_test.cpp
)

# The About window, then the real main window and the whole stack against the simulated switch,
# on the offscreen platform, with the window tests' main that makes the QApplication.
if(TARGET tarvello_window)
  find_package(Qt6 REQUIRED COMPONENTS Test)
  function(tarvello_window_test name)
    cmake_parse_arguments(TW "" "" "LAYERS;SOURCES" ${ARGN})
    add_executable(${name} ${CMAKE_CURRENT_SOURCE_DIR}/window_test_main.cpp ${TW_SOURCES})
    target_link_libraries(${name} PRIVATE ${TW_LAYERS} Qt6::Test tarvello_test_support
      GTest::gtest)
    target_compile_definitions(${name} PRIVATE TARVELLO_TEST_DATA="${TARVELLO_TEST_DATA}")
    tarvello_warnings(${name})
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endfunction()

  tarvello_window_test(about_tests LAYERS tarvello_about SOURCES about_form_test.cpp)
  tarvello_window_test(end_to_end_tests LAYERS tarvello_window tarvello_wizard simswitch SOURCES
    ${PROJECT_SOURCE_DIR}/tests/switch/session_fixture.cpp
    end_to_end_test.cpp
  )
endif()
