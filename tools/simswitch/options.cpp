// The ready-made profiles: complete options for the platforms the demo and the tests play.
#include "simswitch/options.h"

namespace simswitch {

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

}  // namespace simswitch
