// The program's one switch: the variables that name its model, and the model's operations on it
// under the names the rest of the program calls. The only file of the model that names them.
#include "model/global_vars.h"
#include "model/sessionlist.h"

std::string SwitchAddress;
std::string UserName;
std::string Password;
std::string EnablePassword;

namespace {

TSwitchModel defaultModel;

}  // namespace

TSwitchModel& DefaultSwitchModel() {
  return defaultModel;
}

// Bound to a static object, so they hold from before any code runs.
TSPANSessions& SPANSessions = defaultModel.SPANSessions;
TPorts& Ports = defaultModel.Ports;
TPorts& LoadedPorts = defaultModel.LoadedPorts;
TSPANSessions& LoadedSPANSessions = defaultModel.LoadedSPANSessions;
TSwitchPlatform& SwitchPlatform = defaultModel.SwitchPlatform;

void ResetModel() {
  Reset(defaultModel);
}

bool ParsePorts(const std::string& interfaceStatus, const std::string& vlanList) {
  return ParsePorts(defaultModel, interfaceStatus, vlanList);
}

bool ParseSPANSessions(const std::string& listing) {
  return ParseSPANSessions(defaultModel, listing);
}

int SourceSessionLimit() {
  return SourceSessionLimit(defaultModel);
}

void AddPortsToSession(const std::string& list, int session, const std::string& role) {
  AddPortsToSession(defaultModel, list, session, role);
}

bool CheckSpanType(int session, const std::string& name, const std::string& wanted,
                   std::string& message) {
  return CheckSpanType(defaultModel, session, name, wanted, message);
}

bool CheckVlanFilter(int session, const std::string& filter, std::string& message) {
  return CheckVlanFilter(defaultModel, session, filter, message);
}

bool CheckEncapsulation(int session, const std::string& encapsulation, std::string& message) {
  return CheckEncapsulation(defaultModel, session, encapsulation, message);
}

void BuildConfigScript(std::vector<std::string>& lines) {
  BuildConfigScript(defaultModel, lines);
}

void SetSpanType(int entry, int session, const std::string& role) {
  SetSpanType(defaultModel, entry, session, role);
}

void SetSessionSettings(int session, const std::string& encapsulation, const std::string& filter) {
  SetSessionSettings(defaultModel, session, encapsulation, filter);
}

bool DiffersFromEarlier(const TPorts& earlierPorts, const TSPANSessions& earlierSessions,
                        const std::vector<int>& createdVlans) {
  return DiffersFromEarlier(defaultModel, earlierPorts, earlierSessions, createdVlans);
}

void MarkPutBack(const TPorts& earlierPorts, const TSPANSessions& earlierSessions,
                 const std::vector<int>& createdVlans) {
  MarkPutBack(defaultModel, earlierPorts, earlierSessions, createdVlans);
}

bool HasChanges() {
  return HasChanges(defaultModel);
}

int SessionPortCount(int session) {
  return SessionPortCount(defaultModel, session);
}

bool SessionHasVlanSource(int session) {
  return SessionHasVlanSource(defaultModel, session);
}

int FindEntryByPrefix(const std::string& typed) {
  return FindEntryByPrefix(defaultModel, typed);
}

bool SessionIsEditable(int session) {
  return SessionIsEditable(defaultModel, session);
}

std::string SessionCaption(int session) {
  return SessionCaption(defaultModel, session);
}

std::vector<TSessionItem> SessionItems() {
  return SessionItems(defaultModel);
}

std::string ShownSessionText(int session) {
  return ShownSessionText(defaultModel, session);
}

std::string KeptSettingsText(int session) {
  return KeptSettingsText(defaultModel, session);
}

std::array<std::string, 3> PortsGridRow(int entry, int session) {
  return PortsGridRow(defaultModel, entry, session);
}

std::vector<std::array<std::string, 3>> PortsGridRows(int session) {
  return PortsGridRows(defaultModel, session);
}

std::string SessionHealthText(int session) {
  return SessionHealthText(defaultModel, session);
}

std::string DestinationQuestion(int session, int entry, const std::string& role) {
  return DestinationQuestion(defaultModel, session, entry, role);
}

std::vector<std::string> ApplyWarnings() {
  return ApplyWarnings(defaultModel);
}
