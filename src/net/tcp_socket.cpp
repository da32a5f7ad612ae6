#include "net/tcp_socket.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "net/resolver.h"
#include "support/wait_hook.h"

namespace {

constexpr int kMaxPending = 65536;

using Clock = std::chrono::steady_clock;

// One wait for readiness (timeoutMs -1: without limit), cut into short slices with the wait
// hook called between them, so that a stop given on any thread ends it soon; interrupted waits
// are resumed rather than reported. Stopped waits (see wait_hook.h) fail with EINTR, which
// nothing else gives from here.
int PollOnce(int handle, short events, int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
  while (true) {
    if (BlockingWaitsStopped()) {
      errno = EINTR;
      return -1;
    }
    int slice = timeoutMs < 0 ? -1 : MillisecondsUntil(deadline);
    if (slice < 0 || slice > kBlockingWaitSliceMs) {
      slice = kBlockingWaitSliceMs;
    }
    pollfd entry{handle, events, 0};
    const int result = poll(&entry, 1, slice);
    if (result < 0 && errno == EINTR) {
      continue;
    }
    if (result != 0 || (timeoutMs >= 0 && MillisecondsUntil(deadline) == 0)) {
      return result;
    }
    TickBlockingWaitHook();  // a stop it brings ends the wait above
  }
}

// A connect that gives up after timeoutMs with ETIMEDOUT. It runs non-blocking so that the
// wait is PollOnce's, with its hook; the handle's blocking mode is restored afterwards.
int ConnectWithin(int handle, const sockaddr* address, socklen_t length, int timeoutMs) {
  const int flags = ::fcntl(handle, F_GETFL);
  ::fcntl(handle, F_SETFL, flags | O_NONBLOCK);
  int result = ::connect(handle, address, length);
  if (result < 0 && (errno == EINPROGRESS || errno == EINTR)) {
    const int ready = PollOnce(handle, POLLOUT, timeoutMs);
    if (ready == 0) {
      errno = ETIMEDOUT;
      result = -1;
    } else if (ready > 0) {
      int pending = 0;
      socklen_t size = sizeof pending;
      if (::getsockopt(handle, SOL_SOCKET, SO_ERROR, &pending, &size) == 0) {
        errno = pending;
        result = pending == 0 ? 0 : -1;
      }
    }
  }
  const int savedErrno = errno;
  ::fcntl(handle, F_SETFL, flags);
  errno = savedErrno;
  return result;
}

int AddressFamilyOf(TAddressFamily family) {
  switch (family) {
    case TAddressFamily::FamilyIPv4:
      return AF_INET;
    case TAddressFamily::FamilyIPv6:
      return AF_INET6;
    case TAddressFamily::FamilyAny:
      break;
  }
  return AF_UNSPEC;
}

}  // namespace

ESocketError::ESocketError(const std::string& message, int errorCode,
                           const std::string& errorMessage)
    : std::runtime_error(message), ErrorCode(errorCode), ErrorMessage(errorMessage) {}

TSocketBase::~TSocketBase() {
  if (handle_ >= 0) {
    ::close(handle_);
  }
}

// ---- Errors ----

void TSocketBase::ClearError() {
  lastError_ = 0;
  lastErrorText_.clear();
}

void TSocketBase::SetError(int code) {
  lastError_ = code;
  lastErrorText_ = GetErrorDesc(code);
}

int TSocketBase::CheckResult(long platformResult) {
  const int savedErrno = errno;
  ClearError();
  if (platformResult == -1) {
    SetError(WinsockErrorFromErrno(savedErrno));
  }
  return lastError_;
}

void TSocketBase::ReportError() {
  lastErrorText_ = GetErrorDescEx();
  if (lastError_ == 0 || lastError_ == wsa::kWouldBlock || lastError_ == wsa::kInProgress) {
    return;
  }
  if (RaiseExcept) {
    throw ESocketError("TCP/IP Socket error " + std::to_string(lastError_) + ": " + lastErrorText_,
                       lastError_, lastErrorText_);
  }
}

// ---- Connection ----

void TSocketBase::CreateHandle(int family) {
  StopFlag = false;
  bytesReceived_ = 0;
  bytesSent_ = 0;
  ClearError();
  if (handle_ >= 0) {
    return;
  }
  inputBuffer_.clear();
  const int handle = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
  if (handle < 0) {
    SetError(WinsockErrorFromErrno(errno));
  } else {
    handle_ = handle;
  }
  ReportError();
}

int TSocketBase::FamilyFor(const std::string& host) const {
  // Without a handle and without a requested family, a literal chooses its own family.
  if (handle_ < 0 && Family == TAddressFamily::FamilyAny) {
    return IsIPv4Literal(host) ? AF_INET : IsIPv6Literal(host) ? AF_INET6 : AF_UNSPEC;
  }
  return AddressFamilyOf(Family);
}

bool TSocketBase::Stopped() {
  if (!BlockingWaitsStopped()) {
    return false;
  }
  SetError(wsa::kInterrupted);
  Abort();
  ReportError();
  return true;
}

void TSocketBase::ConnectTo(const std::string& host, const std::string& port) {
  ClearError();
  if (Stopped()) {
    return;
  }
  const TResolvedAddress resolved = ResolveAddress(host, port, FamilyFor(host), PreferIP4);
  SetError(resolved.Error);
  if (lastError_ == 0) {
    CreateHandle(resolved.Family);
    if (lastError_ == 0) {
      CheckResult(ConnectWithin(handle_, reinterpret_cast<const sockaddr*>(&resolved.Address),
                                resolved.Length, ConnectTimeout));
      // The kernel would go on trying; a connection that came up late must not be used.
      if (lastError_ == wsa::kTimedOut || lastError_ == wsa::kInterrupted) {
        ::close(handle_);
        handle_ = -1;
      }
    }
    inputBuffer_.clear();
  }
  ReportError();
}

void TSocketBase::BindTo(const std::string& address, const std::string& port) {
  ClearError();
  if (handle_ < 0 && Family == TAddressFamily::FamilyAny && address == "0.0.0.0" && port == "0") {
    return;
  }
  const TResolvedAddress resolved = ResolveAddress(address, port, FamilyFor(address), PreferIP4);
  SetError(resolved.Error);
  if (lastError_ == 0) {
    CreateHandle(resolved.Family);
    if (lastError_ == 0) {
      CheckResult(
          ::bind(handle_, reinterpret_cast<const sockaddr*>(&resolved.Address), resolved.Length));
      inputBuffer_.clear();
    }
  }
  ReportError();
}

// ---- Sending ----

int TSocketBase::WriteBytes(const void* data, int length) {
  if (StopFlag.exchange(false)) {
    SetError(wsa::kConnectionAborted);
    ReportError();
    return 0;
  }
  if (Stopped()) {
    return 0;
  }
  const char* next = static_cast<const char*>(data);
  int sent = 0;
  while (sent < length) {
    if (handle_ < 0) {
      SetError(wsa::kNotSocket);
      break;
    }
    const int block = std::min(length - sent, std::max(SendMaxChunk, 1));
    // Never blocking in send itself: a peer that stops reading must not hold us past
    // NonblockSendTimeout, and the wait for room goes through PollOnce and its hook.
    ssize_t accepted;
    do {
      // MSG_NOSIGNAL: a peer that has gone away must give an error code, not kill the process.
      accepted = ::send(handle_, next + sent, block, MSG_NOSIGNAL | MSG_DONTWAIT);
    } while (accepted < 0 && errno == EINTR);
    CheckResult(accepted);
    if (lastError_ == wsa::kWouldBlock) {
      if (!WaitWritable(NonblockSendTimeout)) {
        if (lastError_ == 0) {
          SetError(wsa::kTimedOut);
        }
        break;
      }
      continue;
    }
    if (lastError_ != 0) {
      break;
    }
    sent += static_cast<int>(accepted);
    bytesSent_ += static_cast<std::uint64_t>(accepted);
  }
  ReportError();
  return sent;
}

int TSocketBase::WriteText(const std::string& text) {
  return WriteBytes(text.data(), static_cast<int>(text.size()));
}

// ---- Receiving ----

int TSocketBase::Receive(char* buffer, int length) {
  if (StopFlag.exchange(false)) {
    SetError(wsa::kConnectionAborted);
    ReportError();
    return 0;
  }
  if (handle_ < 0) {
    SetError(wsa::kNotSocket);
    ReportError();
    return -1;
  }
  ssize_t received;
  do {
    received = ::recv(handle_, buffer, static_cast<std::size_t>(length), 0);
  } while (received < 0 && errno == EINTR);
  if (received == 0) {
    SetError(wsa::kConnectionReset);
  } else {
    CheckResult(received);
  }
  ReportError();
  if (received > 0) {
    bytesReceived_ += static_cast<std::uint64_t>(received);
  }
  return static_cast<int>(received);
}

void TSocketBase::Filter(std::string& block) {
  if (!OnReadFilter) {
    return;
  }
  const std::size_t received = block.size();
  OnReadFilter(*this, block);
  block.resize(std::min(block.size(), received));
}

int TSocketBase::ReadBytes(char* buffer, int length) {
  const int received = Receive(buffer, length);
  if (received <= 0 || !OnReadFilter) {
    return received;
  }
  std::string block(buffer, static_cast<std::size_t>(received));
  Filter(block);
  std::memcpy(buffer, block.data(), block.size());
  return static_cast<int>(block.size());
}

int TSocketBase::PendingBytes() {
  int pending = 0;
  if (handle_ < 0 || ::ioctl(handle_, FIONREAD, &pending) < 0 || pending < 0) {
    return 0;
  }
  return std::min(pending, kMaxPending);
}

std::string TSocketBase::ReadChunk(int timeoutMs) {
  ClearError();
  std::string chunk;
  if (!inputBuffer_.empty()) {
    chunk.swap(inputBuffer_);
    return chunk;
  }
  if (Stopped()) {
    return chunk;
  }
  // A wait costs no time when data is there; whatever has come is then taken in one receive.
  if (!WaitReadable(timeoutMs)) {
    if (lastError_ != wsa::kInterrupted) {  // a stopped wait says so
      SetError(wsa::kTimedOut);
    }
    ReportError();
    return chunk;
  }
  if (!receiveBuffer_) {
    receiveBuffer_ = std::make_unique_for_overwrite<char[]>(kMaxPending);
  }
  // Readable with nothing to read is a peer that has closed: the receive says so.
  const int received = Receive(receiveBuffer_.get(), kMaxPending);
  if (received > 0) {
    chunk.assign(receiveBuffer_.get(), static_cast<std::size_t>(received));
    Filter(chunk);
  }
  ReportError();
  return chunk;
}

std::string TSocketBase::ReadUpTo(int timeoutMs, const std::string& terminator) {
  ClearError();
  if (terminator.empty()) {
    return "";
  }
  std::string collected;
  std::size_t searchFrom = 0;
  std::size_t found = std::string::npos;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  int remainingMs = timeoutMs;
  const std::size_t limit =
      MaxLineLength > 0 ? std::min(static_cast<std::size_t>(MaxLineLength), kMaxTerminatedRead)
                        : kMaxTerminatedRead;
  while (true) {
    collected += ReadChunk(remainingMs);
    if (lastError_ != 0) {
      break;
    }
    // Only the new bytes, and the tail that a terminator split across packets may start in.
    found = collected.find(terminator, searchFrom);
    searchFrom =
        collected.size() >= terminator.size() ? collected.size() - terminator.size() + 1 : 0;
    if (collected.size() > limit) {
      SetError(wsa::kNoBufferSpace);
      break;
    }
    if (found != std::string::npos) {
      break;
    }
    if (!InterPacketTimeout) {
      remainingMs = MillisecondsUntil(deadline);
      if (remainingMs <= 0) {
        SetError(wsa::kTimedOut);
        break;
      }
    }
  }
  std::string result;
  if (lastError_ == 0 && found != std::string::npos) {
    result = collected.substr(0, found);
    inputBuffer_ = collected.substr(found + terminator.size());
  } else {
    inputBuffer_ = std::move(collected);
  }
  ReportError();
  return result;
}

// ---- Waiting ----

bool TSocketBase::PollReadable(int timeoutMs) {
  if (handle_ < 0) {
    SetError(wsa::kNotSocket);
    return false;
  }
  const int result = PollOnce(handle_, POLLIN, timeoutMs);
  const bool ready = CheckResult(result) == 0 && result > 0;
  AbortIfInterrupted();
  return ready;
}

bool TSocketBase::WaitReadable(int timeoutMs) {
  bool ready = PollReadable(timeoutMs);
  if (!ready && lastError_ == 0) {
    ready = PollReadable(0);
  }
  ReportError();
  return ready;
}

bool TSocketBase::WaitWritable(int timeoutMs) {
  bool ready = false;
  if (handle_ < 0) {
    SetError(wsa::kNotSocket);
  } else {
    const int result = PollOnce(handle_, POLLOUT, timeoutMs);
    ready = CheckResult(result) == 0 && result > 0;
    AbortIfInterrupted();
  }
  ReportError();
  return ready;
}

void TSocketBase::AbortIfInterrupted() {
  // A wait is interrupted only by a stop: the exchange is over and the connection goes.
  if (lastError_ == wsa::kInterrupted) {
    Abort();
  }
}

// ---- Closing ----

void TSocketBase::Close() {
  Abort();
}

void TSocketBase::Abort() {
  if (handle_ >= 0) {
    ::close(handle_);
    handle_ = -1;
  }
  Family = DefaultFamily;
}

void TSocketBase::DrainInput() {
  // A peer that keeps sending must not hold the close: what has arrived, then a short grace.
  const auto deadline = Clock::now() + std::chrono::milliseconds(kDrainGraceMs);
  std::this_thread::sleep_for(std::chrono::milliseconds(1));
  try {
    while (!inputBuffer_.empty() || PendingBytes() > 0) {
      ReadChunk(0);
      if (lastError_ != 0 || Clock::now() >= deadline) {
        break;
      }
      TickBlockingWaitHook();
    }
  } catch (...) {
    // Draining is best effort on the way out; a failure must not stop the close.
  }
  inputBuffer_.clear();
  ClearError();
}

TTcpSocket::~TTcpSocket() {
  try {
    Close();
  } catch (...) {
    // A destructor must not throw, even with RaiseExcept on.
  }
}

void TTcpSocket::Close() {
  if (HasHandle() && LastError() == 0) {
    ::shutdown(Handle(), SHUT_WR);
    DrainInput();
  }
  Abort();
}
