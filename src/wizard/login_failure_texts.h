// What the window says about why a login failed: one line under the login failure message.
#pragma once

#include <string>

#include "switch/login_failure.h"

// The sentence for the reason; empty for None. enablePasswordTicked tells an enable password the
// switch refused from one the person did not give.
std::string LoginFailureLine(TLoginFailure failure, bool enablePasswordTicked);
