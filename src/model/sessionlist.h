// The SPAN model's operations: parsing the switch's listings, the role rules, command
// generation and the texts by which the model is shown. Failures are raised through
// LogAndRaise (std::runtime_error); CheckSpanType never raises.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/global_vars.h"
#include "model/types.h"

// Rebuilds Ports from "show interface status" and "show vlan brief  | inc active" replies:
// the active VLANs first (sorted), then the interfaces in listing order. True iff at least one
// entry was found. Raises when the status listing has no header or the list would exceed
// MaxPortEntries.
bool ParsePorts(const std::string& interfaceStatus, const std::string& vlanList);

// Fills SPANSessions and the roles in Ports from a "show monitor session all" reply. Always
// returns true; every failure is raised. Relies on Ports as ParsePorts has just built it.
bool ParseSPANSessions(const std::string& listing);

// Appends the names of a listing such as "Gi0/1-3,Gi0/5" to names. Comma-separated parts come
// out last part first, each range ascending: "Gi0/1-3,Gi0/5" gives Gi0/5, Gi0/1, Gi0/2, Gi0/3.
// Raises "Fail to parse port range [...]" for a range whose numbers are not 32-bit integers or
// that spans more than MaxPortEntries numbers; then nothing is appended.
void ExpandPortList(const std::string& list, std::vector<std::string>& names);

// Gives every entry named in list the role in session (1 or 2), without marking it changed.
// Raises for an unknown session, an unknown name or an entry that already has a role there.
void AddPortsToSession(const std::string& list, int session, const std::string& role);

// Whether entry name may take role wanted in session; when not, message says why (ready to
// show), otherwise message is empty. Changes nothing and never raises.
bool CheckSpanType(int session, const std::string& name, const std::string& wanted,
                   std::string& message);

// Fills lines with the configuration commands that take the switch from LoadedPorts to Ports,
// driven by the Changed flags only: removals, then filter lines, then additions. Raises when
// the two lists differ in length, when a VLAN is to become a destination, and when a line would
// hold a control character.
void BuildConfigScript(std::vector<std::string>& lines);

// --- Edits, as the session page makes them --------------------------------------------------

// Stores an accepted role change: entry's role in session becomes role, marked changed (also
// when role equals the present one). Raises for a session other than 1..2 or an entry outside
// 1..Ports.Count.
void SetSpanType(int entry, int session, const std::string& role);

// Whether session may take the VLAN filter as typed; when not, message says why (ready to show),
// otherwise message is empty. A filter that is blank once trimmed is always allowed; another is
// refused while a VLAN is a source of the session. Changes nothing. Raises for a session other
// than 1..2 when the filter is not blank.
bool CheckVlanFilter(int session, const std::string& filter, std::string& message);

// Stores a session's destination encapsulation and (trimmed) VLAN filter, marks the session
// changed and marks changed every entry that is the session's destination, so its destination
// line is sent again with the new encapsulation. Raises for a session other than 1..2.
void SetSessionSettings(int session, const std::string& encapsulation, const std::string& filter);

// --- Queries ----------------------------------------------------------------------------------

// True iff any entry's role or any session's settings carry a Changed flag.
bool HasChanges();
// Number of entries whose role in session is not "None". Raises for a session other than 1..2.
int SessionPortCount(int session);
// True iff some VLAN entry has a role other than "None" in session; such a session must keep
// its VLAN filter empty. Raises for a session other than 1..2.
bool SessionHasVlanSource(int session);
// The first entry (1..Ports.Count) whose name starts with typed, ignoring case: an interface's
// name ("Gi1/0/5"), a VLAN's as the grid shows it ("vlan 10") or its number alone ("10"). 0 when
// typed is empty or no entry matches.
int FindEntryByPrefix(const std::string& typed);

// --- Presentation texts --------------------------------------------------------------------

// The grid's role column text: "Destination (SPAN port)" for "Destination", else the role.
std::string SpanTypeCaption(const std::string& spanType);
// Role of chooser row 0..4 ("None", "Ingress", "Egress", "Both", "Destination"); other rows
// give "None".
std::string SpanTypeOfChoice(int choice);
// Index in the encapsulation drop-down: 1 for "Replicate", 0 for anything else.
int EncapsulationIndex(const std::string& encapsulation);

// Session drop-down item text: "1 (Configured)" when the session has members, else
// "1 (Available)". Raises for a session other than 1..2.
std::string SessionCaption(int session);
// Items of the session drop-down, session 1 first.
std::vector<std::string> SessionCaptions();

// Header texts of the ports grid's three columns.
std::array<std::string, 3> PortsGridHeader();
// Texts of data row entry (1..Ports.Count) for session: name column, description, role caption.
// Raises for a session other than 1..2 or an entry outside 1..Ports.Count.
std::array<std::string, 3> PortsGridRow(int entry, int session);
// Texts of data rows 1..Ports.Count for session, in entry order (element 0 is row 1). Raises for
// a session other than 1..2 before producing anything.
std::vector<std::array<std::string, 3>> PortsGridRows(int session);
// Width of each of the three columns for a grid of the given outer width in pixels.
int PortsGridColumnWidth(int gridWidth);
// A description as drawn in the grid: its first 18 characters followed by "..." when it has
// 18 characters or more, else unchanged.
std::string GridDescriptionText(const std::string& description);
