# Filled in with the main window's classes (library tarvello_window).
