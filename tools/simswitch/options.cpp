// The ready-made profiles: complete options for the platforms the demo and the tests play.
#include "simswitch/options.h"

namespace simswitch {
namespace {

constexpr char kAccessHost[] = "Access-2960";
constexpr char kCoreHost[] = "Core-9300";
constexpr char kDomain[] = ".campus.local";

}  // namespace

Options Catalyst9300Options() {
  Options o;
  o.device = Catalyst9300Device();
  o.localSessionLimit = 8;
  return o;
}

Options Catalyst2960LanLiteOptions() {
  Options o;
  o.device.platform = Platform::Catalyst2960LanLite;
  return o;
}

Options AccessSwitchOptions() {
  Options o;
  o.device.hostname = kAccessHost;
  o.device.cdpNeighbors.insert(
      o.device.cdpNeighbors.begin(),
      {std::string(kCoreHost) + kDomain, "Gi0/1", 163, "R S I", "C9300-48P", "Te1/1/1"});
  return o;
}

Options CoreSwitchOptions() {
  Options o = Catalyst9300Options();
  o.device.hostname = kCoreHost;
  o.device.cdpNeighbors.insert(
      o.device.cdpNeighbors.begin(),
      {std::string(kAccessHost) + kDomain, "Te1/1/1", 171, "S I", "WS-C2960-48TT-L", "Gi0/1"});
  return o;
}

}  // namespace simswitch
