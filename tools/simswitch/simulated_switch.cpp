#include "simswitch/simulated_switch.h"

#include "simswitch/connection.h"
#include "simswitch/ios_text.h"
#include "simswitch/stream_pipe.h"
#include "simswitch/switch_server.h"

namespace simswitch {

SimulatedSwitch::SimulatedSwitch(Options options)
    : server_(std::make_unique<SwitchServer>(std::move(options))) {}

SimulatedSwitch::~SimulatedSwitch() = default;

std::uint16_t SimulatedSwitch::Port() const {
  return server_->Port();
}

const std::string& SimulatedSwitch::Address() const {
  return server_->Address();
}

std::string SimulatedSwitch::HostKeyLine() const {
  return server_->Ssh() != nullptr ? server_->Ssh()->KeyLine() : "";
}

std::string SimulatedSwitch::HostKeyFingerprint() const {
  return server_->Ssh() != nullptr ? server_->Ssh()->Fingerprint() : "";
}

std::vector<std::string> SimulatedSwitch::ReceivedLines() const {
  std::lock_guard lock(server_->Shared().mutex);
  return server_->Shared().receivedLines;
}

std::vector<std::string> SimulatedSwitch::ConfigLines() const {
  std::lock_guard lock(server_->Shared().mutex);
  return server_->Shared().configLines;
}

SpanState SimulatedSwitch::Span() const {
  std::lock_guard lock(server_->Shared().mutex);
  return server_->Shared().model.span;
}

std::vector<VlanInfo> SimulatedSwitch::Vlans() const {
  std::lock_guard lock(server_->Shared().mutex);
  return server_->Shared().model.device.vlans;
}

SpanState SimulatedSwitch::StartupSpan() const {
  std::lock_guard lock(server_->Shared().mutex);
  return server_->Shared().model.startupSpan;
}

std::size_t SimulatedSwitch::Saves() const {
  std::lock_guard lock(server_->Shared().mutex);
  return server_->Shared().model.saves;
}

std::string SimulatedSwitch::MonitorListing() const {
  std::lock_guard lock(server_->Shared().mutex);
  const SwitchModel& model = server_->Shared().model;
  return model.monitorTextCurrent ? JoinCrLf(SplitLines(model.device.monitorText))
                                  : RenderMonitorSessions(model.device, model.span);
}

std::size_t SimulatedSwitch::AcceptedConnections() const {
  std::lock_guard lock(server_->Shared().mutex);
  return server_->Shared().accepted;
}

std::size_t SimulatedSwitch::SessionsInConfigMode() const {
  std::lock_guard lock(server_->Shared().mutex);
  return server_->Shared().sessionsInConfigMode;
}

std::size_t SimulatedSwitch::EndedConnections() const {
  std::lock_guard lock(server_->Shared().mutex);
  return server_->Shared().ended;
}

bool SimulatedSwitch::WaitForEndedConnections(std::size_t count,
                                              std::chrono::milliseconds limit) const {
  std::unique_lock lock(server_->Shared().mutex);
  return server_->Shared().connectionEnded.wait_for(
      lock, limit, [&] { return server_->Shared().ended >= count; });
}

std::vector<std::string> ServeStream(int inFd, int outFd, const Options& options, int stopFd) {
  SharedState shared;
  shared.model = MakeModel(options.device);
  StreamPipe pipe(inFd, outFd, stopFd);
  Connection(pipe, stopFd, options, shared, IosSession::Start::AfterLogin).Serve();
  return shared.receivedLines;
}

}  // namespace simswitch
