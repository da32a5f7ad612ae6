// The configuration text the switch keeps, as "show running-config" and "show startup-config"
// print it after their headers: version, host name, VTP-transparent VLANs, interfaces, sessions.
#pragma once

#include <string>

#include "simswitch/device_data.h"

namespace simswitch {

// From "version" to "end", each line ending in CR LF, with `span` as the sessions.
std::string ConfigurationText(const DeviceData& device, const SpanState& span);

}  // namespace simswitch
