# Controller and history tests: plain C++, no display.
tarvello_test(history_tests LAYERS tarvello_wizard SOURCES
  address_history_test.cpp
)
