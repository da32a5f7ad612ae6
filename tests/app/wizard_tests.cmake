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

# The About window, then the real main window and the whole stack against the simulated switch,
# on the offscreen platform.
if(TARGET tarvello_window)
  find_package(Qt6 REQUIRED COMPONENTS Test)
  tarvello_test(about_tests LAYERS tarvello_about Qt6::Test SOURCES
    about_form_test.cpp
  )
  tarvello_test(end_to_end_tests LAYERS tarvello_window tarvello_wizard simswitch Qt6::Test
    SOURCES
    ${PROJECT_SOURCE_DIR}/tests/switch/session_fixture.cpp
    end_to_end_test.cpp
  )
endif()
