# Filled in with the About window, main() and the installed program.
