#include "simswitch/simulated_switch.h"

namespace simswitch {

// Placeholder until the server lands; keeps the contract compiling for its users.
class SwitchServer {};

bool SpanSessionState::Empty() const {
  return sourceInterfaces.empty() && sourceVlans.empty() && destinations.empty() &&
         filterVlans.empty();
}

DeviceData DefaultDevice() {
  return {};
}
DeviceData GeneratedDevice(std::size_t) {
  return {};
}
std::vector<InterfaceInfo> InterfacesFromStatusText(const std::string&) {
  return {};
}
SpanState SpanFromMonitorText(const std::string&) {
  return {};
}
std::string RenderInterfaceStatus(const DeviceData&, const SpanState&) {
  return {};
}
std::string RenderVlanBrief(const DeviceData&) {
  return {};
}
std::string RenderMonitorSessions(const DeviceData&, const SpanState&) {
  return {};
}

SimulatedSwitch::SimulatedSwitch(Options) {}
SimulatedSwitch::~SimulatedSwitch() = default;
std::uint16_t SimulatedSwitch::Port() const {
  return 0;
}
const std::string& SimulatedSwitch::Address() const {
  static const std::string kAddress = "127.0.0.1";
  return kAddress;
}
std::vector<std::string> SimulatedSwitch::ReceivedLines() const {
  return {};
}
std::vector<std::string> SimulatedSwitch::ConfigLines() const {
  return {};
}
SpanState SimulatedSwitch::Span() const {
  return {};
}
std::string SimulatedSwitch::MonitorListing() const {
  return {};
}
std::size_t SimulatedSwitch::AcceptedConnections() const {
  return 0;
}
std::size_t SimulatedSwitch::EndedConnections() const {
  return 0;
}
bool SimulatedSwitch::WaitForEndedConnections(std::size_t, std::chrono::milliseconds) const {
  return false;
}

}  // namespace simswitch
