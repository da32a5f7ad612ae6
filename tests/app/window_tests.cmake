# Window tests (offscreen).
