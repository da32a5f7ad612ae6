#include "testkit/loopback_peer.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

#include "testkit/loopback_ports.h"

namespace {
constexpr int kSliceMs = 20;
}

// ---- PeerConnection ----

void PeerConnection::Send(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = ::send(handle_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent <= 0) {
      return;
    }
    bytes.remove_prefix(static_cast<std::size_t>(sent));
    sent_ += static_cast<std::size_t>(sent);
  }
}

void PeerConnection::SendInPackets(std::initializer_list<std::string_view> parts) {
  for (const std::string_view part : parts) {
    Send(part);
    if (!WaitConsumed(sent_)) {
      return;
    }
  }
}

bool PeerConnection::WaitConsumed(std::size_t total) {
  return peer_.RecordWhileWaiting(handle_, kPeerWaitMs, [&] { return peer_.consumed_ >= total; });
}

bool PeerConnection::ReceiveUntilCount(std::size_t count) {
  return peer_.RecordWhileWaiting(handle_, kPeerWaitMs,
                                  [&] { return peer_.received_.size() >= count; });
}

bool PeerConnection::WaitSignal() {
  if (!peer_.RecordWhileWaiting(handle_, kPeerWaitMs, [&] { return peer_.signals_ > 0; })) {
    return false;
  }
  std::lock_guard<std::mutex> lock(peer_.mutex_);
  --peer_.signals_;
  return true;
}

bool PeerConnection::Pause(int milliseconds) {
  peer_.RecordWhileWaiting(handle_, milliseconds, [] { return false; });
  return !peer_.stopping_;
}

void PeerConnection::Close(bool reset) {
  if (reset) {
    linger hard{1, 0};
    ::setsockopt(handle_, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    ::close(handle_);
  } else {
    ::shutdown(handle_, SHUT_RDWR);
    ::close(handle_);
  }
  handle_ = -1;
}

bool PeerConnection::Stopping() const {
  return peer_.stopping_;
}

// ---- LoopbackPeer ----

LoopbackPeer::LoopbackPeer(Script script, int family) {
  std::uint16_t port = 0;
  listenHandle_ = OpenLoopbackSocket(family, 1, port);
  port_ = port;
  thread_ = std::thread([this, script = std::move(script)] { Run(script); });
}

LoopbackPeer::~LoopbackPeer() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
  ::close(listenHandle_);
}

void LoopbackPeer::Run(const Script& script) {
  // Accept, in slices so that a test whose client never connects still ends.
  int handle = -1;
  while (!stopping_ && handle < 0) {
    pollfd entry{listenHandle_, POLLIN, 0};
    if (::poll(&entry, 1, kSliceMs) > 0) {
      sockaddr_storage client{};
      socklen_t length = sizeof client;
      handle =
          ::accept4(listenHandle_, reinterpret_cast<sockaddr*>(&client), &length, SOCK_CLOEXEC);
      if (handle >= 0) {
        const auto* v6 = reinterpret_cast<const sockaddr_in6*>(&client);
        const bool mapped = client.ss_family == AF_INET6 && IN6_IS_ADDR_V4MAPPED(&v6->sin6_addr);
        clientFamily_ = mapped ? AF_INET : client.ss_family;
      }
    }
  }
  if (handle < 0) {
    return;
  }
  PeerConnection connection(*this, handle);
  script(connection);
  // Keep recording until the client closes or the test ends.
  while (!stopping_ && connection.handle_ >= 0 && ReadSome(connection.handle_, kSliceMs)) {
  }
  if (connection.handle_ >= 0) {
    ::close(connection.handle_);
  }
}

// Reads what is there within timeoutMs; false once the client has closed or failed.
bool LoopbackPeer::ReadSome(int handle, int timeoutMs) {
  pollfd entry{handle, POLLIN, 0};
  if (::poll(&entry, 1, timeoutMs) <= 0) {
    return true;
  }
  char buffer[65536];
  const ssize_t got = ::recv(handle, buffer, sizeof buffer, 0);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (got > 0) {
      received_.append(buffer, static_cast<std::size_t>(got));
    } else {
      clientClosed_ = true;
    }
  }
  changed_.notify_all();
  return got > 0;
}

bool LoopbackPeer::RecordWhileWaiting(int handle, int timeoutMs,
                                      const std::function<bool()>& ready) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!stopping_) {
    bool closed = false;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (ready()) {
        return true;
      }
      closed = clientClosed_ || handle < 0;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      return false;
    }
    if (closed) {
      std::this_thread::sleep_for(std::chrono::milliseconds(kSliceMs));
    } else {
      ReadSome(handle, kSliceMs);
    }
  }
  return false;
}

template <typename Predicate>
bool LoopbackPeer::WaitUntil(Predicate ready, std::unique_lock<std::mutex>& lock) const {
  changed_.wait_for(lock, std::chrono::milliseconds(kPeerWaitMs),
                    [&] { return ready() || stopping_.load(); });
  return ready();
}

void LoopbackPeer::Signal() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++signals_;
  }
  changed_.notify_all();
}

void LoopbackPeer::Consumed(std::size_t bytes) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    consumed_ += bytes;
  }
  changed_.notify_all();
}

std::string LoopbackPeer::Received() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return received_;
}

std::string LoopbackPeer::WaitReceived(std::size_t count) const {
  std::unique_lock<std::mutex> lock(mutex_);
  WaitUntil([&] { return received_.size() >= count || clientClosed_; }, lock);
  return received_;
}

bool LoopbackPeer::WaitClientClosed() const {
  std::unique_lock<std::mutex> lock(mutex_);
  return WaitUntil([&] { return clientClosed_; }, lock);
}
