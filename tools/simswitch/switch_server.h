// The listening socket and the serving threads behind SimulatedSwitch, telnet or SSH.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <list>
#include <mutex>
#include <thread>

#include "simswitch/options.h"
#include "simswitch/ssh_host.h"
#include "simswitch/switch_model.h"
#include "simswitch/unique_fd.h"

namespace simswitch {

class SwitchServer {
 public:
  // Binds and listens at once, then serves on its own thread. Throws std::runtime_error.
  explicit SwitchServer(Options options);
  // Stops: wakes every wait, shuts every open connection down, joins every thread.
  ~SwitchServer();
  SwitchServer(const SwitchServer&) = delete;
  SwitchServer& operator=(const SwitchServer&) = delete;

  std::uint16_t Port() const { return port_; }
  const std::string& Address() const { return options_.bindAddress; }
  // The SSH host key, null when serving telnet.
  const SshHost* Ssh() const { return ssh_.get(); }
  SharedState& Shared() { return shared_; }
  const SharedState& Shared() const { return shared_; }

 private:
  // One served connection, as a switch's vty line: its socket (-1 once closed) and thread.
  struct VtyLine {
    int fd = -1;
    bool done = false;
    std::thread thread;
  };

  void Run();
  void Serve(VtyLine& line);
  void JoinFinishedLines();
  void Stop();
  void Wake() const;

  Options options_;
  SharedState shared_;
  std::unique_ptr<SshHost> ssh_;
  UniqueFd listen_;
  UniqueFd wakeRead_;
  UniqueFd wakeWrite_;
  std::uint16_t port_ = 0;
  std::mutex linesMutex_;  // guards lines_ (their fds and flags) against the stopping thread
  std::list<VtyLine> lines_;
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};

}  // namespace simswitch
