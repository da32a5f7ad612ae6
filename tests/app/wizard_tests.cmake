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
)
