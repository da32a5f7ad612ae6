#include "simswitch/span_config.h"

#include "simswitch/ios_span_rules.h"
#include "simswitch/monitor_command.h"

namespace simswitch {

std::optional<CommandError> ConfigureMonitor(const std::string& line,
                                             const std::vector<Token>& tokens, std::size_t first,
                                             bool negate, const DeviceData& device,
                                             int localSessionLimit, SpanState& span) {
  const MonitorParse parsed = ParseMonitorLine(line, tokens, first, negate, device);
  if (const auto* error = std::get_if<CommandError>(&parsed)) {
    return *error;
  }
  if (auto refusal =
          ApplyMonitorEdit(std::get<MonitorEdit>(parsed), device, localSessionLimit, span)) {
    return Refused(std::move(*refusal));
  }
  return std::nullopt;
}

}  // namespace simswitch
