#include "switch/login_failure.h"

#include "net/socket_errors.h"

std::string to_string(TLoginFailure failure) {
  switch (failure) {
    case TLoginFailure::None:
      return "reason unknown";
    case TLoginFailure::HostNotFound:
      return "host not found";
    case TLoginFailure::ConnectionRefused:
      return "connection refused";
    case TLoginFailure::NoAnswer:
      return "no answer";
    case TLoginFailure::CredentialsRefused:
      return "user name or password refused";
    case TLoginFailure::EnablePasswordRefused:
      return "enable password refused";
    case TLoginFailure::HostKeyNotTrusted:
      return "host key not trusted";
    case TLoginFailure::HostKeyChanged:
      return "host key changed";
  }
  return "reason unknown";
}

TLoginFailure LoginFailureOfConnectError(int code) {
  switch (code) {
    case wsa::kHostNotFound:
    case wsa::kNoData:
      return TLoginFailure::HostNotFound;
    case wsa::kConnectionRefused:
      return TLoginFailure::ConnectionRefused;
    case wsa::kTimedOut:
    case wsa::kHostUnreachable:
    case wsa::kNetworkUnreachable:
    case wsa::kHostDown:
      return TLoginFailure::NoAnswer;
    default:
      return TLoginFailure::None;
  }
}
