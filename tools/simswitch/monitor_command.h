// Reading one "[no] monitor session ..." line into what it asks of the SPAN state.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "simswitch/command_words.h"
#include "simswitch/device_data.h"

namespace simswitch {

enum class MonitorTarget {
  SourceInterfaces,
  SourceVlans,
  SourceRemoteVlan,  // "source remote vlan V": an RSPAN destination session
  Destinations,
  DestinationRemoteVlan,  // "destination remote vlan V": an RSPAN source session
  Filter,
  WholeSession,
  All  // "no monitor session all" or "... local" (localOnly)
};

// What one line asks for, before it is checked against the state.
struct MonitorEdit {
  MonitorTarget target = MonitorTarget::WholeSession;
  bool remove = false;                     // the "no" form
  bool localOnly = false;                  // All: local sessions only
  int session = 0;                         // 1..66; unused for All
  std::vector<std::string> interfaces;     // short names that exist on the device
  std::vector<int> vlans;                  // 1..4094; one for a remote VLAN (none: any, on removal)
  std::optional<SpanDirection> direction;  // nullopt: not given
  bool replicate = false;
};

using MonitorParse = std::variant<MonitorEdit, CommandError>;

// `tokens` are the line's words; tokens[first] is the word after "monitor". Accepts IOS
// abbreviations, long interface names and lists ("Fa0/1 - 3 , Gi0/1", "10-12,20"); "remote vlan"
// only on a platform that configures RSPAN (see ConfiguresRspan).
MonitorParse ParseMonitorLine(const std::string& line, const std::vector<Token>& tokens,
                              std::size_t first, bool negate, const DeviceData& device);

}  // namespace simswitch
