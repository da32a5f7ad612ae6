#include "net/tcp_socket.h"

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

namespace {

constexpr int kMaxPending = 65536;

// One poll for readiness; interrupted waits are resumed rather than reported.
int PollOnce(int handle, short events, int timeoutMs) {
  pollfd entry{handle, events, 0};
  int result;
  do {
    result = poll(&entry, 1, timeoutMs);
  } while (result < 0 && errno == EINTR);
  return result;
}

// An interrupted blocking connect carries on in the background; wait for its outcome.
int AwaitInterruptedConnect(int handle) {
  PollOnce(handle, POLLOUT, -1);
  int pending = 0;
  socklen_t length = sizeof pending;
  if (::getsockopt(handle, SOL_SOCKET, SO_ERROR, &pending, &length) < 0) {
    return -1;
  }
  errno = pending;
  return pending == 0 ? 0 : -1;
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

void TSocketBase::ConnectTo(const std::string& host, const std::string& port) {
  ClearError();
  const TResolvedAddress resolved = ResolveAddress(host, port, FamilyFor(host), PreferIP4);
  SetError(resolved.Error);
  if (lastError_ == 0) {
    CreateHandle(resolved.Family);
    if (lastError_ == 0) {
      int result =
          ::connect(handle_, reinterpret_cast<const sockaddr*>(&resolved.Address), resolved.Length);
      if (result < 0 && errno == EINTR) {
        result = AwaitInterruptedConnect(handle_);
      }
      CheckResult(result);
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
  const char* next = static_cast<const char*>(data);
  int sent = 0;
  while (sent < length) {
    if (handle_ < 0) {
      SetError(wsa::kNotSocket);
      break;
    }
    const int block = std::min(length - sent, std::max(SendMaxChunk, 1));
    ssize_t accepted;
    do {
      // MSG_NOSIGNAL: a peer that has gone away must give an error code, not kill the process.
      accepted = ::send(handle_, next + sent, block, MSG_NOSIGNAL);
    } while (accepted < 0 && errno == EINTR);
    CheckResult(accepted);
    if (lastError_ == wsa::kWouldBlock) {
      if (WaitWritable(NonblockSendTimeout)) {
        accepted = ::send(handle_, next + sent, block, MSG_NOSIGNAL);
        CheckResult(accepted);
      } else {
        SetError(wsa::kTimedOut);
      }
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

int TSocketBase::ReadBytes(char* buffer, int length) {
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
  if (received <= 0) {
    return static_cast<int>(received);
  }
  bytesReceived_ += static_cast<std::uint64_t>(received);
  if (!OnReadFilter) {
    return static_cast<int>(received);
  }
  std::string block(buffer, static_cast<std::size_t>(received));
  OnReadFilter(*this, block);
  const std::size_t delivered = std::min(block.size(), static_cast<std::size_t>(received));
  std::memcpy(buffer, block.data(), delivered);
  return static_cast<int>(delivered);
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
  std::this_thread::yield();
  int pending = PendingBytes();
  if (pending <= 0) {
    if (WaitReadable(timeoutMs)) {
      pending = PendingBytes();
      if (pending == 0) {
        SetError(wsa::kConnectionReset);  // readable with nothing to read: the peer has closed
      }
    } else {
      SetError(wsa::kTimedOut);
    }
  }
  if (pending > 0) {
    chunk.resize(static_cast<std::size_t>(pending));
    const int delivered = ReadBytes(chunk.data(), pending);
    chunk.resize(static_cast<std::size_t>(std::max(delivered, 0)));
  }
  ReportError();
  return chunk;
}

std::string TSocketBase::ReadUpTo(int timeoutMs, const std::string& terminator) {
  ClearError();
  if (terminator.empty()) {
    return "";
  }
  using Clock = std::chrono::steady_clock;
  std::string collected;
  std::size_t searchFrom = 0;
  std::size_t found = std::string::npos;
  int remainingMs = timeoutMs;
  while (true) {
    const auto passStart = Clock::now();
    collected += ReadChunk(remainingMs);
    if (lastError_ != 0) {
      break;
    }
    // Only the new bytes, and the tail that a terminator split across packets may start in.
    found = collected.find(terminator, searchFrom);
    searchFrom =
        collected.size() >= terminator.size() ? collected.size() - terminator.size() + 1 : 0;
    if (MaxLineLength != 0 && collected.size() > static_cast<std::size_t>(MaxLineLength)) {
      SetError(wsa::kNoBufferSpace);
      break;
    }
    if (found != std::string::npos) {
      break;
    }
    if (!InterPacketTimeout) {
      const auto spent =
          std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - passStart);
      remainingMs -= static_cast<int>(spent.count());
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
  return CheckResult(result) == 0 && result > 0;
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
  }
  ReportError();
  return ready;
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
  std::this_thread::sleep_for(std::chrono::milliseconds(1));
  try {
    while (!inputBuffer_.empty() || PendingBytes() > 0) {
      ReadChunk(0);
      if (lastError_ != 0) {
        break;
      }
    }
  } catch (...) {
    // Draining is best effort on the way out; a failure must not stop the close.
  }
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
