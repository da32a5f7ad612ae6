// A switch's log-in as typed, checked before a login is tried: the log-in page's and the other
// switch's box share these checks and their words.
#pragma once

#include <string>

#include "switch/switch_address.h"
#include "wizard/wizard_view.h"

// The inputs with blanks trimmed off each end; the enable password empty unless ticked.
TSwitchInputs Trimmed(const TSwitchInputs& typed);

// Why trimmed inputs cannot be tried, in the log-in page's words ("Enter telnet username");
// empty when they can. address gets the split address either way.
std::string SwitchInputsFault(const TSwitchInputs& inputs, TSwitchAddress& address);
