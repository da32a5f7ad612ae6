// Every switch session of the run. Each Connect press that passes its input checks makes one,
// and it stays (idle, when its login failed) until the program ends, when each is destroyed,
// newest first, and writes its session log.
#pragma once

#include <memory>
#include <vector>

#include "switch/telnet_connection.h"

class TSwitchSessions {
 public:
  TSwitchSessions() = default;
  ~TSwitchSessions();
  TSwitchSessions(const TSwitchSessions&) = delete;
  TSwitchSessions& operator=(const TSwitchSessions&) = delete;

  // Makes a session that loads into model (which must outlive it), logs in with settings at
  // once, keeps it and returns it. Its login status lines go to onStatus; an SSH login's host
  // key questions to hostKeyQuestions.
  TTelnetConnectionForm& Open(TSwitchModel& model, TConnectionSettings settings,
                              TStatusCallback onStatus, THostKeyQuestions hostKeyQuestions = {});
  int Count() const { return static_cast<int>(sessions_.size()); }
  // Destroys every session, newest first. The object may be used again afterwards.
  void Clear();

 private:
  std::vector<std::unique_ptr<TTelnetConnectionForm>> sessions_;
};
