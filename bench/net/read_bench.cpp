// ReadUpTo of large replies over loopback: a sender thread writes the reply in 1460-byte
// segments (one Ethernet MSS each) with the terminator at the very end; the reader times one
// terminated read. Prints size, time and MB/s for 1, 2 and 4 MiB; time should grow linearly.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "net/tcp_socket.h"

namespace {

constexpr std::size_t kSegment = 1460;
constexpr int kRuns = 5;

struct Listener {
  Listener() {
    handle = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(handle, reinterpret_cast<sockaddr*>(&address), length);
    ::listen(handle, 1);
    ::getsockname(handle, reinterpret_cast<sockaddr*>(&address), &length);
    port = std::to_string(ntohs(address.sin_port));
  }
  ~Listener() { ::close(handle); }
  int handle;
  std::string port;
};

struct Timing {
  double ms = -1;
  int blocks = 0;  // platform receives the read took
};

// One ReadUpTo of `size` bytes (terminator included).
Timing TimeOneRead(std::size_t size) {
  const std::string terminator = "\r\nswitch#";
  std::string reply(size - terminator.size(), 'x');
  for (std::size_t i = 80; i < reply.size(); i += 81) {
    reply[i] = '\n';  // switch output is lines; '#' never appears inside
  }
  reply += terminator;

  Listener listener;
  std::thread sender([&] {
    const int connection = ::accept(listener.handle, nullptr, nullptr);
    const int one = 1;
    ::setsockopt(connection, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    for (std::size_t at = 0; at < reply.size(); at += kSegment) {
      const std::size_t length = std::min(kSegment, reply.size() - at);
      ::send(connection, reply.data() + at, length, MSG_NOSIGNAL);
    }
    char ignored;
    ::recv(connection, &ignored, 1, 0);  // keep open until the reader is done
    ::close(connection);
  });

  Timing timing;
  TTcpSocket socket;
  socket.OnReadFilter = [&timing](TSocketBase&, std::string&) { ++timing.blocks; };
  socket.ConnectTo("127.0.0.1", listener.port);
  const auto start = std::chrono::steady_clock::now();
  const std::string text = socket.ReadUpTo(10000, terminator);
  const auto stop = std::chrono::steady_clock::now();
  const bool ok = socket.LastError() == 0 && text.size() == size - terminator.size();
  socket.Abort();
  sender.join();
  if (!ok) {
    std::printf("read failed: error %d (%s), %zu bytes\n", socket.LastError(),
                socket.LastErrorText().c_str(), text.size());
    return timing;
  }
  timing.ms = std::chrono::duration<double, std::milli>(stop - start).count();
  return timing;
}

}  // namespace

int main() {
  std::printf("ReadUpTo over loopback, %zu-byte writes, best of %d runs\n", kSegment, kRuns);
  std::printf("%8s %10s %10s %10s\n", "MiB", "ms", "MB/s", "receives");
  for (const std::size_t mib : {1, 2, 4}) {
    const std::size_t size = mib << 20;
    Timing best;
    for (int run = 0; run < kRuns; ++run) {
      const Timing timing = TimeOneRead(size);
      if (timing.ms < 0) {
        return 1;
      }
      if (best.ms < 0 || timing.ms < best.ms) {
        best = timing;
      }
    }
    std::printf("%8zu %10.1f %10.1f %10d\n", mib, best.ms,
                static_cast<double>(size) / 1e6 / (best.ms / 1e3), best.blocks);
  }
  return 0;
}
