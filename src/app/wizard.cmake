# The wizard's Qt-free half: the controller behind the main window and the address history.
# Tests drive it with a fake view, so nothing here may include Qt.
add_library(tarvello_wizard STATIC
  address_history.cpp
  flow_gate.cpp
  host_key_texts.cpp
  switch_sessions.cpp
  wizard_controller.cpp
)
target_link_libraries(tarvello_wizard PUBLIC tarvello_switch tarvello_model tarvello_support)
tarvello_warnings(tarvello_wizard)
