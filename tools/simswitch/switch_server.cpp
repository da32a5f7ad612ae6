#include "simswitch/switch_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "simswitch/connection.h"
#include "simswitch/ssh_line.h"
#include "simswitch/telnet_pipe.h"

namespace simswitch {
namespace {

// A Catalyst has five vty lines by default; more simultaneous logins are turned away.
constexpr std::size_t kVtyLines = 5;

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error("simulated switch: " + what + ": " + std::strerror(errno));
}

// Binds a listening socket to the loopback address only: the simulator is never reachable from
// another machine.
UniqueFd ListenOnLoopback(const std::string& address, std::uint16_t port) {
  sockaddr_storage storage{};
  socklen_t length = 0;
  int family = AF_INET;
  if (address == "127.0.0.1") {
    auto* v4 = reinterpret_cast<sockaddr_in*>(&storage);
    v4->sin_family = AF_INET;
    v4->sin_port = htons(port);
    v4->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    length = sizeof(sockaddr_in);
  } else if (address == "::1") {
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&storage);
    v6->sin6_family = AF_INET6;
    v6->sin6_port = htons(port);
    v6->sin6_addr = in6addr_loopback;
    length = sizeof(sockaddr_in6);
    family = AF_INET6;
  } else {
    throw std::runtime_error("simulated switch: refusing to listen on " + address +
                             " (loopback only: 127.0.0.1 or ::1)");
  }
  UniqueFd fd(::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!fd.Valid()) {
    Fail("socket");
  }
  const int on = 1;
  ::setsockopt(fd.Get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  if (::bind(fd.Get(), reinterpret_cast<sockaddr*>(&storage), length) != 0) {
    Fail("bind " + address + " port " + std::to_string(port));
  }
  if (::listen(fd.Get(), 8) != 0) {
    Fail("listen");
  }
  return fd;
}

std::uint16_t BoundPort(int fd) {
  sockaddr_storage storage{};
  socklen_t length = sizeof storage;
  if (::getsockname(fd, reinterpret_cast<sockaddr*>(&storage), &length) != 0) {
    Fail("getsockname");
  }
  return storage.ss_family == AF_INET6 ? ntohs(reinterpret_cast<sockaddr_in6*>(&storage)->sin6_port)
                                       : ntohs(reinterpret_cast<sockaddr_in*>(&storage)->sin_port);
}

}  // namespace

SwitchServer::SwitchServer(Options options) : options_(std::move(options)) {
  shared_.model = MakeModel(options_.device);
  if (options_.transport == Transport::Ssh) {
    ssh_ = std::make_unique<SshHost>(options_.ssh);
  }
  listen_ = ListenOnLoopback(options_.bindAddress, options_.port);
  port_ = BoundPort(listen_.Get());
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
    Fail("pipe");
  }
  wakeRead_ = UniqueFd(pipeFds[0]);
  wakeWrite_ = UniqueFd(pipeFds[1]);
  thread_ = std::thread([this] { Run(); });
}

SwitchServer::~SwitchServer() {
  Stop();
}

// The pipe stays readable once written, so every poll of every later wait sees the stop.
void SwitchServer::Wake() const {
  const char byte = 'x';
  [[maybe_unused]] const auto ignored = ::write(wakeWrite_.Get(), &byte, 1);
}

void SwitchServer::Stop() {
  stopping_ = true;
  Wake();
  {
    std::lock_guard lock(linesMutex_);
    for (VtyLine& line : lines_) {
      if (line.fd >= 0) {
        ::shutdown(line.fd, SHUT_RDWR);
      }
    }
  }
  if (thread_.joinable()) {
    thread_.join();
  }
  // The accepting thread is gone, so lines_ no longer grows.
  for (VtyLine& line : lines_) {
    if (line.thread.joinable()) {
      line.thread.join();
    }
  }
}

void SwitchServer::JoinFinishedLines() {
  std::list<VtyLine> finished;
  {
    std::lock_guard lock(linesMutex_);
    for (auto it = lines_.begin(); it != lines_.end();) {
      const auto next = std::next(it);
      if (it->done) {
        finished.splice(finished.end(), lines_, it);
      }
      it = next;
    }
  }
  for (VtyLine& line : finished) {
    line.thread.join();
  }
}

void SwitchServer::Serve(VtyLine& line) {
  if (ssh_) {
    ServeSshLine(*ssh_, line.fd, wakeRead_.Get(), options_, shared_);
  } else {
    TelnetPipe pipe(line.fd, wakeRead_.Get());
    Connection(pipe, wakeRead_.Get(), options_, shared_, IosSession::Start::AtLogin).Serve();
  }
  {
    std::lock_guard lock(linesMutex_);
    ::close(line.fd);
    line.fd = -1;
  }
  {
    std::lock_guard lock(shared_.mutex);
    ++shared_.ended;
  }
  shared_.connectionEnded.notify_all();
  std::lock_guard lock(linesMutex_);
  line.done = true;  // nothing below needs a lock, so the line may be joined from now on
}

void SwitchServer::Run() {
  while (!stopping_) {
    pollfd fds[2] = {{listen_.Get(), POLLIN, 0}, {wakeRead_.Get(), POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) {
        continue;
      }
      return;
    }
    if ((fds[1].revents & POLLIN) != 0) {
      return;
    }
    UniqueFd client(::accept4(listen_.Get(), nullptr, nullptr, SOCK_CLOEXEC));
    if (!client.Valid()) {
      continue;
    }
    JoinFinishedLines();
    const int on = 1;
    ::setsockopt(client.Get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    std::lock_guard lock(linesMutex_);
    if (stopping_ || lines_.size() >= kVtyLines) {
      continue;  // every line busy: the connection is closed at once
    }
    {
      std::lock_guard sharedLock(shared_.mutex);
      ++shared_.accepted;
    }
    VtyLine& line = lines_.emplace_back();
    line.fd = client.Release();
    line.thread = std::thread([this, &line] { Serve(line); });
  }
}

}  // namespace simswitch
