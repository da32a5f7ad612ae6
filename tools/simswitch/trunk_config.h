// Interface configuration of a trunk: "[no] switchport trunk allowed vlan ..." (a list, add,
// remove, except, all, none) and "[no] switchport trunk native vlan N".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "simswitch/command_words.h"
#include "simswitch/device_data.h"

namespace simswitch {

// `tokens` are the line's words; tokens[first] is the word after "switchport". Applies the line
// to `trunk` and returns nullopt, or returns why IOS refuses it and changes nothing. The "no"
// forms restore the defaults (all VLANs allowed, native VLAN 1).
std::optional<CommandError> ConfigureSwitchport(const std::string& line,
                                                const std::vector<Token>& tokens, std::size_t first,
                                                bool negate, TrunkSettings& trunk);

}  // namespace simswitch
