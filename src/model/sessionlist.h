// The SPAN model's operations: parsing the switch's listings, the role rules, command
// generation and the texts by which the model is shown. Failures are raised through
// LogAndRaise (std::runtime_error); CheckSpanType never raises.
#pragma once

#include <string>
#include <vector>

#include "model/global_vars.h"
#include "model/types.h"

// Rebuilds Ports from "show interface status" and "show vlan brief  | inc active" replies:
// the active VLANs first (sorted), then the interfaces in listing order. True iff at least one
// entry was found.
bool ParsePorts(const std::string& interfaceStatus, const std::string& vlanList);

// Fills SPANSessions and the roles in Ports from a "show monitor session all" reply. Always
// returns true; every failure is raised.
bool ParseSPANSessions(const std::string& listing);

// Appends the interface names of a listing such as "Gi0/1-3,Gi0/5" to names.
void ExpandPortList(const std::string& list, std::vector<std::string>& names);

// Gives every entry named in list the role in session.
void AddPortsToSession(const std::string& list, int session, const std::string& role);

// Whether entry name may take role wanted in session; when not, message says why.
bool CheckSpanType(int session, const std::string& name, const std::string& wanted,
                   std::string& message);

// Fills lines with the configuration commands that take the switch from LoadedPorts to Ports.
void BuildConfigScript(std::vector<std::string>& lines);

// True iff any entry's role or any session's settings carry a Changed flag.
bool HasChanges();

std::string SpanTypeCaption(const std::string& spanType);
std::string SpanTypeOfChoice(int choice);
int EncapsulationIndex(const std::string& encapsulation);
int SessionPortCount(int session);
