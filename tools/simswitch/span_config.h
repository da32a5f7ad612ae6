// The "monitor session" configuration commands and their "no" forms: reading a typed line and
// applying it to the live SPAN state under the switch's SPAN rules.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "simswitch/command_words.h"
#include "simswitch/device_data.h"

namespace simswitch {

// One "[no] monitor ..." line. `tokens` are the line's words; tokens[first] is the word after
// "monitor". Returns nullopt when the line was accepted (the state may be unchanged, as for the
// removal of a role that was not set), otherwise the refusal; a refused line changes nothing.
std::optional<CommandError> ConfigureMonitor(const std::string& line,
                                             const std::vector<Token>& tokens, std::size_t first,
                                             bool negate, const DeviceData& device,
                                             int localSessionLimit, SpanState& span);

}  // namespace simswitch
