# Filled in with the wizard controller and the address history.
