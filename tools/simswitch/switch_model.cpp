#include "simswitch/switch_model.h"

#include "simswitch/configuration_text.h"

namespace simswitch {

SwitchModel MakeModel(DeviceData device) {
  SwitchModel model;
  if (!device.interfacesText.empty() && device.interfaces.empty()) {
    device.interfaces = InterfacesFromStatusText(device.interfacesText);
  }
  if (!device.monitorText.empty()) {
    device.span = SpanFromMonitorText(device.monitorText);
    model.monitorTextCurrent = true;
  }
  model.span = device.span;
  model.startupSpan = device.span;
  model.startupConfig = ConfigurationText(device, device.span);
  model.device = std::move(device);
  return model;
}

}  // namespace simswitch
