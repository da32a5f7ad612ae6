#include "wizard/preview_blocks.h"

#include <utility>

std::string SwitchHeading(const TTelnetConnectionForm& session) {
  const std::string& address = session.Settings().Address;
  return session.HostName().empty() ? address : session.HostName() + " (" + address + ")";
}

TPreviewBlock PreviewBlockOf(const TTelnetConnectionForm& session, const TSwitchModel& model,
                             std::vector<std::string> lines, std::string heading) {
  const TConnectionSettings& settings = session.Settings();
  const bool ssh = settings.Target.Transport == TTransportKind::Ssh;
  TPlaybookSwitch target{
      .HostName = session.HostName(),
      .Address = settings.Address,
      .AnsibleHost = settings.Target.Host,
      .AnsiblePort = ssh && settings.Target.PortNamed ? settings.Target.Port : "",
      .UserName = settings.UserName,
      .Model = model.SwitchPlatform.Model,
      .Lines = std::move(lines)};
  return {std::move(heading), std::move(target)};
}
