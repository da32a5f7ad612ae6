# The main window's classes (library tarvello_window); the About window and the program join
# it from program.cmake.
qt_add_library(tarvello_window STATIC
  clickable_picture.cpp
  flow_input_filter.cpp
  form1.cpp
  form1_layout.cpp
  make_control.cpp
  message_boxes.cpp
  new_rspan_vlan_dialog.cpp
  other_switch_dialog.cpp
  role_chooser.cpp
  script_preview.cpp
  session_fill.cpp
  session_kind.cpp
  session_page.cpp
  text_grid.cpp
  vlan_filter_keys.cpp
)
target_link_libraries(tarvello_window PUBLIC Qt6::Widgets tarvello_wizard tarvello_model
  tarvello_support)
# The version About shows and written playbooks name.
target_compile_definitions(tarvello_window PUBLIC TARVELLO_VERSION="${PROJECT_VERSION}")
qt_add_resources(tarvello_window "images" PREFIX "/" FILES
  images/logo.png
  images/promo.png
  images/down_arrow.png
)
tarvello_warnings(tarvello_window)

# Draws the pictures above; run by hand when they change (see the file), never shipped.
qt_add_executable(tarvello_draw_artwork EXCLUDE_FROM_ALL images/draw_artwork.cpp)
target_link_libraries(tarvello_draw_artwork PRIVATE Qt6::Gui)
tarvello_warnings(tarvello_draw_artwork)
