// Blocking TCP client socket with per-packet read time-outs and Winsock-numbered errors.
//
// Every operation stores its outcome in LastError (0 = success, otherwise a Winsock code, see
// socket_errors.h) and LastErrorText; nothing is thrown unless RaiseExcept is switched on.
// While the blocking waits are stopped (support/wait_hook.h) every connect, send, receive and
// wait fails with 10004 and closes the connection at once.
// One object is driven by one thread at a time; each call blocks until it completes or times out.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "net/socket_errors.h"
#include "net/socket_library.h"

// Most a terminated read collects, however long the peer streams without the terminator.
inline constexpr std::size_t kMaxTerminatedRead = 64u * 1024 * 1024;
// How long a close keeps draining a peer that keeps sending.
inline constexpr int kDrainGraceMs = 100;

enum class TAddressFamily { FamilyAny, FamilyIPv4, FamilyIPv6 };

// Raised by a socket's error report only while its RaiseExcept is on. The message is
// "TCP/IP Socket error <ErrorCode>: <ErrorMessage>".
class ESocketError : public std::runtime_error {
 public:
  ESocketError(const std::string& message, int errorCode, const std::string& errorMessage);
  int ErrorCode;
  std::string ErrorMessage;
};

class TSocketBase;

// Called with every received block before anyone sees it; may replace the block. A filter can
// remove or replace bytes but never add any: a longer result is cut to the received length.
using TReadFilter = std::function<void(TSocketBase& sender, std::string& block)>;

class TSocketBase {
 public:
  TSocketBase() = default;
  virtual ~TSocketBase();  // closes the handle at once (no draining)
  TSocketBase(const TSocketBase&) = delete;
  TSocketBase& operator=(const TSocketBase&) = delete;

  // ---- Settings (defaults are what the telnet client uses) ----
  TAddressFamily Family = TAddressFamily::FamilyAny;  // reset to DefaultFamily on close
  TAddressFamily DefaultFamily = TAddressFamily::FamilyAny;
  bool PreferIP4 = true;              // for a host name, try IPv4 addresses before IPv6
  bool RaiseExcept = false;           // throw ESocketError on errors (other than 10035/10036)
  int MaxLineLength = 0;              // longest text ReadUpTo may collect; 0 = kMaxTerminatedRead
  bool InterPacketTimeout = true;     // a read time-out applies to each wait, not the whole read
  int SendMaxChunk = 65536;           // largest block handed to one platform send
  int NonblockSendTimeout = 15000;    // ms a send waits for room before it fails with 10060
  int ConnectTimeout = 20000;         // ms a connect waits for the peer before failing with 10060
  std::atomic<bool> StopFlag{false};  // abort request, checked before each send and receive
  TReadFilter OnReadFilter;
  void* Owner = nullptr;  // not owned; for the owner's own bookkeeping

  // ---- State ----
  int LastError() const { return lastError_; }
  const std::string& LastErrorText() const { return lastErrorText_; }
  bool HasHandle() const { return handle_ >= 0; }
  // Received, filtered bytes not yet handed to a caller. Callers may empty it.
  std::string& InputBuffer() { return inputBuffer_; }
  const std::string& InputBuffer() const { return inputBuffer_; }

  // ---- Connection ----
  // Resolves host and port (a number or service name) and connects, blocking for at most
  // ConnectTimeout ms (then 10060). Success iff LastError() == 0 afterwards. A name that does not
  // resolve creates no handle, nor does a connect that timed out; another failed connect leaves
  // the handle open until Close, Abort or the next ConnectTo. Empties InputBuffer once a connect
  // was attempted.
  virtual void ConnectTo(const std::string& host, const std::string& port);
  // Binds to a local address. "0.0.0.0" and "0" on a socket without a handle and with Family
  // FamilyAny do nothing at all.
  void BindTo(const std::string& address, const std::string& port);

  // ---- Sending ----
  // Sends every byte, in blocks of at most SendMaxChunk; returns the number of bytes sent
  // (fewer only on an error). When the peer takes nothing for NonblockSendTimeout ms the send
  // gives up with 10060. Does not clear LastError first: an empty block leaves it as it
  // was. Never raises SIGPIPE.
  virtual int WriteBytes(const void* data, int length);
  int WriteText(const std::string& text);

  // ---- Receiving ----
  // One platform receive into buffer: returns bytes delivered after the read filter (0 when
  // the filter removed them all, with LastError 0), 0 when the peer has closed (LastError
  // 10054) or StopFlag was set (10053), negative on a platform failure. The filter runs last,
  // so an error it causes (a failed answer to the peer) is what LastError shows.
  virtual int ReadBytes(char* buffer, int length);
  // The next available data: InputBuffer's whole content if not empty (no waiting), else what
  // arrives within timeoutMs. Empty with LastError 10060 on a time-out, 10054 when the peer has
  // closed; empty with LastError 0 when the read filter removed every byte.
  virtual std::string ReadChunk(int timeoutMs);
  // Everything before the first occurrence of terminator; the terminator is consumed and what
  // followed it stays in InputBuffer. Collecting more than MaxLineLength (kMaxTerminatedRead
  // at most) without the terminator fails with 10055. With InterPacketTimeout on, fails only when
  // no data arrives for timeoutMs in one wait or on an error: the result is then empty and
  // InputBuffer holds everything collected. An empty terminator returns empty and leaves
  // InputBuffer alone.
  virtual std::string ReadUpTo(int timeoutMs, const std::string& terminator);
  // Bytes readable without blocking, at most 65536; 0 when unknown.
  virtual int PendingBytes();

  // ---- Waiting (timeoutMs -1 waits without limit) ----
  virtual bool PollReadable(int timeoutMs);
  virtual bool WaitReadable(int timeoutMs);
  virtual bool WaitWritable(int timeoutMs);

  // ---- Closing ----
  // Base behaviour: Abort.
  virtual void Close();
  // Closes the handle at once; Family := DefaultFamily.
  virtual void Abort();
  // Reads and discards (through the read filter) whatever has already arrived, for at most
  // kDrainGraceMs; empties InputBuffer and clears errors.
  void DrainInput();

  // ---- Errors ----
  void ClearError();
  // Stores the outcome of a platform call: result -1 means failure with errno. Returns LastError.
  int CheckResult(long platformResult);
  // Refreshes LastErrorText and throws when RaiseExcept is on and the code is an error.
  void ReportError();
  virtual std::string GetErrorDescEx() const { return GetErrorDesc(lastError_); }
  static std::string GetErrorDesc(int code) { return ::GetErrorDesc(code); }

 protected:
  void SetError(int code);  // LastError := code and its text
  int Handle() const { return handle_; }

 private:
  void CreateHandle(int family);
  // One platform receive (see ReadBytes), before the read filter.
  int Receive(char* buffer, int length);
  // Runs the read filter over a received block, cutting a longer result to the received length.
  void Filter(std::string& block);
  // True, with 10004 reported and the handle closed, while the blocking waits are stopped.
  bool Stopped();
  // Closes the handle after a wait that a stop interrupted.
  void AbortIfInterrupted();
  int FamilyFor(const std::string& host) const;  // address family to resolve host with

  int handle_ = -1;
  int lastError_ = 0;
  std::string lastErrorText_;
  std::string inputBuffer_;
  std::unique_ptr<char[]> receiveBuffer_;  // ReadChunk's, made at its first use
  std::uint64_t bytesReceived_ = 0;
  std::uint64_t bytesSent_ = 0;
};

// The socket the telnet client owns. Close is graceful: after a successful last operation the
// sending direction is shut down and what already arrived is drained through the read filter.
// Proxies and secure layers are not supported; every connect is direct.
class TTcpSocket : public TSocketBase {
 public:
  TTcpSocket() = default;
  ~TTcpSocket() override;  // Close (graceful), then free
  void Close() override;
};
