// Winsock-numbered error codes and their fixed English texts.
//
// The transport reports every failure as a Winsock code, whatever the platform, so callers and
// logs see one numbering; platform errno values and resolver results are translated here.
#pragma once

#include <string>

namespace wsa {
inline constexpr int kInterrupted = 10004;        // EINTR; also: a stopped wait
inline constexpr int kBadFile = 10009;            // EBADF
inline constexpr int kPermissionDenied = 10013;   // EACCES; also: the server refused the login
inline constexpr int kInvalidArgument = 10022;    // EINVAL
inline constexpr int kWouldBlock = 10035;         // EWOULDBLOCK
inline constexpr int kInProgress = 10036;         // EINPROGRESS
inline constexpr int kNotSocket = 10038;          // operation on no handle
inline constexpr int kConnectionAborted = 10053;  // also: cut short by StopFlag
inline constexpr int kConnectionReset = 10054;    // also: peer closed the connection
inline constexpr int kNoBufferSpace = 10055;      // also: terminated read over MaxLineLength
inline constexpr int kNotConnected = 10057;
inline constexpr int kShutdown = 10058;
inline constexpr int kTimedOut = 10060;  // also: no data within the time-out
inline constexpr int kConnectionRefused = 10061;
inline constexpr int kHostDown = 10064;
inline constexpr int kHostUnreachable = 10065;
inline constexpr int kNetworkUnreachable = 10051;
inline constexpr int kSystemCallFailure = 10107;  // a platform error with no Winsock equivalent
inline constexpr int kHostNotFound = 11001;
inline constexpr int kTryAgain = 11002;
inline constexpr int kNoRecovery = 11003;
inline constexpr int kNoData = 11004;
}  // namespace wsa

// Text of a Winsock code: empty for 0, the table's text for a known code, otherwise
// "Other Winsock error (<code>)".
std::string GetErrorDesc(int code);

// Winsock code for a platform errno value (0 stays 0). Values with no Winsock equivalent give
// wsa::kSystemCallFailure.
int WinsockErrorFromErrno(int errnoValue);

// Winsock code for a getaddrinfo result (0 stays 0); EAI_SYSTEM uses systemErrno.
int WinsockErrorFromResolver(int eaiResult, int systemErrno);
