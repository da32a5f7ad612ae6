#include "wizard/switch_sessions.h"

#include <utility>

TSwitchSessions::~TSwitchSessions() {
  Clear();
}

TTelnetConnectionForm& TSwitchSessions::Open(TSwitchModel& model, TConnectionSettings settings,
                                             TStatusCallback onStatus,
                                             THostKeyQuestions hostKeyQuestions) {
  sessions_.push_back(std::make_unique<TTelnetConnectionForm>(
      model, std::move(settings), std::move(onStatus), std::move(hostKeyQuestions)));
  return *sessions_.back();
}

void TSwitchSessions::Clear() {
  while (!sessions_.empty()) {
    sessions_.pop_back();
  }
}
