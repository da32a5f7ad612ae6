// The switch's SPAN rules: whether an edit may be made, and making it.
#pragma once

#include <optional>
#include <string>

#include "simswitch/monitor_command.h"
#include "simswitch/simulated_switch.h"

namespace simswitch {

// Applies `edit` to `span`, or returns the switch's "% ..." refusal and changes nothing.
// Removals never fail (removing what is not there is accepted). Additions are refused when
// they would open a session beyond `localSessionLimit`, mix interface and VLAN sources in one
// session, combine VLAN sources with a VLAN filter, or make a port both a source and a
// destination, or a destination of two sessions. A session left empty disappears.
std::optional<std::string> ApplyMonitorEdit(const MonitorEdit& edit, int localSessionLimit,
                                            SpanState& span);

}  // namespace simswitch
