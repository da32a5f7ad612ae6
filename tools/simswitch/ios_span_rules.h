// The switch's SPAN rules: whether an edit may be made, and making it.
#pragma once

#include <optional>
#include <string>

#include "simswitch/device_data.h"
#include "simswitch/monitor_command.h"

namespace simswitch {

// Applies `edit` to `span`, or returns the switch's "% ..." refusal and changes nothing.
// Any line that touches an ERSPAN session is refused (those are configured in their own mode);
// other removals never fail (removing what is not there is accepted). Additions are refused when
// they would go beyond `localSessionLimit` (counted as the device's platform counts), mix local
// and remote parts in one session, mix interface and VLAN sources in one session, combine VLAN
// sources with a VLAN filter, or make a port both a source and a destination, or a destination of
// two sessions. A session left empty disappears.
std::optional<std::string> ApplyMonitorEdit(const MonitorEdit& edit, const DeviceData& device,
                                            int localSessionLimit, SpanState& span);

}  // namespace simswitch
