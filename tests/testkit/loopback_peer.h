// A one-connection TCP server on 127.0.0.1 (or ::1) for transport tests. It runs a script on its
// own thread against the first client that connects, records every byte the client sends, and
// stops by itself when it goes out of scope. Every wait is bounded, so a broken client makes a
// test fail instead of hanging it.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

inline constexpr int kPeerWaitMs = 10000;  // upper bound for any wait that should never be reached

class LoopbackPeer;

// The server side of the connection, as the script sees it.
class PeerConnection {
 public:
  void Send(std::string_view bytes);
  // Sends each part separately and, after each, waits until the client has consumed every byte
  // sent so far (see LoopbackPeer::Consumed), so each part arrives as its own packet.
  void SendInPackets(std::initializer_list<std::string_view> parts);
  // Waits until the client has received at least `total` bytes in all.
  bool WaitConsumed(std::size_t total);
  // Reads from the client until `count` bytes in all have been recorded.
  bool ReceiveUntilCount(std::size_t count);
  // Waits for the test thread's next Signal().
  bool WaitSignal();
  // Sleeps, but wakes up early when the peer is stopping; false then.
  bool Pause(int milliseconds);
  // Ends the connection: orderly (FIN) or with a reset (RST).
  void Close(bool reset = false);
  bool Stopping() const;

 private:
  friend class LoopbackPeer;
  PeerConnection(LoopbackPeer& peer, int handle) : peer_(peer), handle_(handle) {}
  LoopbackPeer& peer_;
  int handle_;
  std::size_t sent_ = 0;
};

class LoopbackPeer {
 public:
  using Script = std::function<void(PeerConnection&)>;
  // Listens on the loopback address of the family (AF_INET or AF_INET6) on a free port and
  // runs script for the first client. After the script the peer keeps recording what the
  // client sends until the client closes or the peer stops.
  explicit LoopbackPeer(Script script, int family = 2 /* AF_INET */);
  ~LoopbackPeer();
  LoopbackPeer(const LoopbackPeer&) = delete;
  LoopbackPeer& operator=(const LoopbackPeer&) = delete;

  std::string Port() const { return std::to_string(port_); }
  // Lets the script's next WaitSignal() return.
  void Signal();
  // The test's read filter calls this with each block's raw size, so the script knows what the
  // client has read.
  void Consumed(std::size_t bytes);
  // Every byte the client has sent so far.
  std::string Received() const;
  // Waits until the client has sent at least `count` bytes; returns what was received.
  std::string WaitReceived(std::size_t count) const;
  // True once the client has closed its side and everything before that was recorded.
  bool WaitClientClosed() const;
  // Address family of the accepted client (AF_INET for IPv4 and v4-mapped clients).
  int ClientFamily() const { return clientFamily_; }

 private:
  friend class PeerConnection;
  void Run(const Script& script);
  bool ReadSome(int handle, int timeoutMs);
  // On the peer thread: records what the client sends until ready() (called under the lock)
  // holds, the time runs out or the peer stops. True iff ready.
  bool RecordWhileWaiting(int handle, int timeoutMs, const std::function<bool()>& ready);
  template <typename Predicate>
  bool WaitUntil(Predicate ready, std::unique_lock<std::mutex>& lock) const;

  int listenHandle_ = -1;
  int port_ = 0;
  std::atomic<int> clientFamily_{0};
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::string received_;
  bool clientClosed_ = false;
  int signals_ = 0;
  std::size_t consumed_ = 0;
  std::thread thread_;
};
