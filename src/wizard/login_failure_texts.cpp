#include "wizard/login_failure_texts.h"

std::string LoginFailureLine(TLoginFailure failure, bool enablePasswordTicked) {
  switch (failure) {
    case TLoginFailure::None:
      return "";
    case TLoginFailure::HostNotFound:
      return "The host name could not be found.";
    case TLoginFailure::ConnectionRefused:
      return "The connection was refused: nothing takes connections at that port.";
    case TLoginFailure::NoAnswer:
      return "No switch answered at that address and port.";
    case TLoginFailure::CredentialsRefused:
      return "The switch refused the user name or password.";
    case TLoginFailure::EnablePasswordRefused:
      return enablePasswordTicked ? "The switch refused the enable password."
                                  : "The switch asks for an enable password, and \"Switch uses an "
                                    "enable password\" is not ticked.";
    case TLoginFailure::HostKeyNotTrusted:
      return "The switch's SSH host key was not trusted.";
    case TLoginFailure::HostKeyChanged:
      return "The switch's SSH host key has changed, so the login was refused.";
  }
  return "";
}
