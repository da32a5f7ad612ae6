// Why a login failed, as far as the switch session can tell from the dialogue and the transport.
#pragma once

#include <string>

enum class TLoginFailure {
  None,                   // logged in, or no reason known (a dropped or stopped connection, ...)
  HostNotFound,           // the resolver does not know the host name
  ConnectionRefused,      // nothing takes connections at that port
  NoAnswer,               // no connection within the time-out, or no login prompt on it
  CredentialsRefused,     // the switch refused the user name or password
  EnablePasswordRefused,  // no privileged prompt after the enable password sent (maybe none)
  HostKeyNotTrusted,      // an SSH host key not known yet that the person did not trust
  HostKeyChanged,         // an SSH host key other than the recorded one
};

// How one step of the login ended: passed, or stopped, with why when the session can tell.
class TLoginStep {
 public:
  static TLoginStep Passed() { return TLoginStep(true, TLoginFailure::None); }
  static TLoginStep Stopped(TLoginFailure why = TLoginFailure::None) {
    return TLoginStep(false, why);
  }
  bool ok() const { return passed_; }
  // None when the step passed or no reason is known.
  TLoginFailure Failure() const { return failure_; }

 private:
  TLoginStep(bool passed, TLoginFailure failure) : passed_(passed), failure_(failure) {}
  bool passed_;
  TLoginFailure failure_;
};

// A few words for the application log: "host not found", "connection refused", ...
std::string to_string(TLoginFailure failure);

// What a failed connect's Winsock code tells: HostNotFound, ConnectionRefused, NoAnswer (a
// time-out, an unreachable host or network), otherwise None.
TLoginFailure LoginFailureOfConnectError(int code);
