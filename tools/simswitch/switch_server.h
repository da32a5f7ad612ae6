// The listening socket and the serving thread behind SimulatedSwitch.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <thread>

#include "simswitch/simulated_switch.h"
#include "simswitch/switch_model.h"
#include "simswitch/unique_fd.h"

namespace simswitch {

class SwitchServer {
 public:
  // Binds and listens at once, then serves on its own thread. Throws std::runtime_error.
  explicit SwitchServer(Options options);
  // Stops: wakes every wait, shuts the open connection down, joins.
  ~SwitchServer();
  SwitchServer(const SwitchServer&) = delete;
  SwitchServer& operator=(const SwitchServer&) = delete;

  std::uint16_t Port() const { return port_; }
  const std::string& Address() const { return options_.bindAddress; }
  SharedState& Shared() { return shared_; }
  const SharedState& Shared() const { return shared_; }

 private:
  void Run();
  void Stop();
  void Wake() const;

  Options options_;
  SharedState shared_;
  UniqueFd listen_;
  UniqueFd wakeRead_;
  UniqueFd wakeWrite_;
  std::uint16_t port_ = 0;
  std::mutex fdMutex_;  // guards activeFd_ against the stopping thread
  int activeFd_ = -1;
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};

}  // namespace simswitch
