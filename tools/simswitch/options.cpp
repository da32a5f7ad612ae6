// The ready-made profiles: complete options for the platforms the demo and the tests play.
#include "simswitch/options.h"

namespace simswitch {

Options Catalyst9300Options() {
  Options o;
  o.device = Catalyst9300Device();
  o.localSessionLimit = 8;
  return o;
}

}  // namespace simswitch
