// The SPAN model's operations on the program's one switch, DefaultSwitchModel(): each function
// here is the operation of the same name in model/switch_model_ops.h or model/session_health.h
// called on that model, and its contract is stated there. The functions that read no switch
// (ParseShowVersion, ExpandPortList, the captions and the grid's header and widths) come with
// that header.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/global_vars.h"
#include "model/session_health.h"
#include "model/switch_model_ops.h"
#include "model/types.h"

// Loading: Ports from the interface and VLAN listings, then SPANSessions and the roles in Ports
// from the monitor listing.
bool ParsePorts(const std::string& interfaceStatus, const std::string& vlanList);
bool ParseSPANSessions(const std::string& listing);
int SourceSessionLimit();
void AddPortsToSession(const std::string& list, int session, const std::string& role);

// The role rules: whether an edit may be made, and when not why; they change nothing.
bool CheckSpanType(int session, const std::string& name, const std::string& wanted,
                   std::string& message);
bool CheckVlanFilter(int session, const std::string& filter, std::string& message);
bool CheckEncapsulation(int session, const std::string& encapsulation, std::string& message);

// The configuration lines that take the switch from LoadedPorts to Ports.
void BuildConfigScript(std::vector<std::string>& lines);

// The edits as the session page makes them, and putting back an earlier load.
void SetSpanType(int entry, int session, const std::string& role);
void SetSessionSettings(int session, const std::string& encapsulation, const std::string& filter);
bool DiffersFromEarlier(const TPorts& earlierPorts, const TSPANSessions& earlierSessions,
                        const std::vector<int>& createdVlans = {});
void MarkPutBack(const TPorts& earlierPorts, const TSPANSessions& earlierSessions,
                 const std::vector<int>& createdVlans = {});

// Queries.
bool HasChanges();
int SessionPortCount(int session);
bool SessionHasVlanSource(int session);
int FindEntryByPrefix(const std::string& typed);
bool SessionIsEditable(int session);

// The texts by which the session page shows the model.
std::string SessionCaption(int session);
std::vector<TSessionItem> SessionItems();
std::string ShownSessionText(int session);
std::string KeptSettingsText(int session);
std::array<std::string, 3> PortsGridRow(int entry, int session);
std::vector<std::array<std::string, 3>> PortsGridRows(int session);

// Whether a session will carry traffic: the line under the grid, the question before a port
// becomes a destination, the warnings above the Apply preview's lines.
std::string SessionHealthText(int session);
std::string DestinationQuestion(int session, int entry, const std::string& role);
std::vector<std::string> ApplyWarnings();
