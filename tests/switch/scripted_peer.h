// A bare line peer on 127.0.0.1 for dialogues the simulated switch has no fault mode for. It
// sends a greeting, then answers every line (ended by CR) with what the answer function gives,
// possibly nothing. Serves one connection; destruction stops it within a poll interval.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class ScriptedPeer {
 public:
  using Answer = std::function<std::string(const std::string& line)>;
  ScriptedPeer(std::string greeting, Answer answer);
  ~ScriptedPeer();
  ScriptedPeer(const ScriptedPeer&) = delete;
  ScriptedPeer& operator=(const ScriptedPeer&) = delete;

  int Port() const { return port_; }
  // The lines received so far.
  std::vector<std::string> Lines() const;

 private:
  void Serve();
  void Converse(int connection);

  std::string greeting_;
  Answer answer_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  mutable std::mutex linesLock_;
  std::vector<std::string> lines_;
  std::thread thread_;
};
