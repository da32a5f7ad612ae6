#include "scripted_peer.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>

#include "testkit/loopback_ports.h"

namespace {

constexpr int kPollMs = 50;

void SendAll(int connection, const std::string& text) {
  size_t sent = 0;
  while (sent < text.size()) {
    const ssize_t n = send(connection, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) {
      return;
    }
    sent += static_cast<size_t>(n);
  }
}

// Waits for readability in short steps so that a stop request is seen quickly.
bool WaitReadable(int handle, const std::atomic<bool>& stop) {
  pollfd entry{handle, POLLIN, 0};
  while (!stop) {
    const int ready = poll(&entry, 1, kPollMs);
    if (ready != 0) {
      return ready > 0;
    }
  }
  return false;
}

}  // namespace

ScriptedPeer::ScriptedPeer(std::string greeting, Answer answer)
    : greeting_(std::move(greeting)), answer_(std::move(answer)) {
  std::uint16_t port = 0;
  listener_ = OpenLoopbackSocket(AF_INET, 1, port);
  port_ = port;
  thread_ = std::thread([this] { Serve(); });
}

ScriptedPeer::~ScriptedPeer() {
  stop_ = true;
  thread_.join();
  close(listener_);
}

std::vector<std::string> ScriptedPeer::Lines() const {
  std::lock_guard<std::mutex> guard(linesLock_);
  return lines_;
}

void ScriptedPeer::Serve() {
  if (!WaitReadable(listener_, stop_)) {
    return;
  }
  const int connection = accept(listener_, nullptr, nullptr);
  if (connection < 0) {
    return;
  }
  Converse(connection);
  close(connection);
}

void ScriptedPeer::Converse(int connection) {
  SendAll(connection, greeting_);
  std::string line;
  char buffer[4096];
  while (WaitReadable(connection, stop_)) {
    const ssize_t n = recv(connection, buffer, sizeof buffer, 0);
    if (n <= 0) {
      return;
    }
    for (ssize_t i = 0; i < n; ++i) {
      if (buffer[i] != '\r') {
        line += buffer[i];
        continue;
      }
      {
        std::lock_guard<std::mutex> guard(linesLock_);
        lines_.push_back(line);
      }
      SendAll(connection, answer_(line));
      line.clear();
    }
  }
}
