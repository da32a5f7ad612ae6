// The SPAN model's operations on one switch's model: parsing the switch's listings, the role
// rules, command generation, the edits, the queries and the texts by which the model is shown;
// beside them the helpers of texts and lists that read no switch. An operation that reads or
// changes a switch takes its model first, const when it only reads it, and touches no other.
// Failures are raised through LogAndRaise (std::runtime_error); the Check... functions never
// raise.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/switch_model.h"
#include "model/types.h"

// --- Loading ---------------------------------------------------------------------------------

// Rebuilds model.Ports from "show interface status" and "show vlan brief  | inc active"
// replies: the active VLANs first (sorted), then the interfaces in listing order. True iff at
// least one entry was found. Raises when the status listing has no header or the list would
// exceed MaxPortEntries.
bool ParsePorts(TSwitchModel& model, const std::string& interfaceStatus,
                const std::string& vlanList);

// ParsePorts in two steps, so that a load can read the interface listing while the switch is
// still answering the VLAN command: the interfaces below the listing's header, as views into
// the listing, which must outlive them and stay unchanged; then the model rebuilt from them.
struct TInterfaceLine {
  std::string_view Name;
  std::string_view Description;
  std::string_view Line;  // trimmed, the columns after the description read from it when asked
};
struct TInterfaceLines {
  bool HeaderFound = false;
  std::string_view Listing;
  std::vector<TInterfaceLine> Lines;
};
TInterfaceLines ReadInterfaceLines(const std::string& interfaceStatus);
bool ParsePorts(TSwitchModel& model, const TInterfaceLines& interfaces,
                const std::string& vlanList);

// Fills model.SPANSessions and the roles in model.Ports from a "show monitor session all"
// reply: sessions 1 and 2 always, and every other session listed (numbers 1..MaxSessionNumber),
// with its kind and what the listing tells of it; the VLANs to create or remove are dropped.
// Members of local sessions must be entries; an RSPAN session is edited while all its members
// are entries, its VLAN kept as its RspanVlan only; the members of sessions that are only shown
// (an RSPAN VLAN among them) need not be entries (see ShownSessionText). LocalSessionLimit is
// then set by SourceSessionLimit. An empty listing, or one without field lines ("No SPAN
// configuration is present in the system."), has no sessions; field lines ("label : value") with
// no "Session n" header, or a header in another case ("session 1", as NX-OS prints it), raise
// that the listing was not understood, quoting its first line, after a capped dump of it in the
// application log. Field lines before the first header are skipped, and logged once. Always
// returns true; every failure is raised. Relies on model.Ports as ParsePorts has just built it
// and on model.SwitchPlatform.
bool ParseSPANSessions(TSwitchModel& model, const std::string& listing);

// The switch's model number, its number of sessions with sources and its system, from a "show
// version" reply: 2 for the Catalyst 2960 (not -X/-XR), 3560 and 3750, 4 for the 2960-X and -XR,
// 8 for the 3650, 3850, 9300 and 9500; 0 (not known) for any other or when no model is found.
// The system is the one the first banner line names ("Cisco IOS Software", "IOS (tm)", "Cisco
// IOS XE Software", "IOS-XE"; NX-OS, IOS XR and ASA by their own), NotNamed when none does.
TSwitchPlatform ParseShowVersion(const std::string& text);

// The VLANs a "show vlan remote-span" reply lists under its "Remote SPAN VLANs" heading and dash
// line: a compact list ("201,202-205") that may go on over several lines; ascending, each once.
// Empty when it lists none. Raises "Cannot parse remote-span VLANs [...]" for a list it cannot
// read and when there is no heading.
std::vector<int> ParseRemoteSpanVlans(const std::string& text);

// The VTP role from a "show vtp status" reply: its "VTP Operating Mode" ("Server" or "Primary
// Server", "Client", "Transparent", "Off"), "VTP Domain Name" and the address of
// "Configuration last modified by". Mode NotKnown when no such line is found.
TVtpStatus ParseVtpStatus(const std::string& text);

// The neighbours of a "show cdp neighbors" reply, read by the columns of its heading line; a
// device ID too long for its column stands on a line of its own, its fields on the next.
// Raises "Cannot parse CDP neighbours [...]" when there is no heading.
std::vector<TCdpNeighbour> ParseCdpNeighbours(const std::string& text);

// The trunks of a "show interfaces trunk" reply with their three VLAN lists; a list too long
// for one line goes on on the next lines. Empty when the switch has no trunk.
std::vector<TTrunk> ParseInterfacesTrunk(const std::string& text);

// The interface as "show interface status" names it, from CDP's form: "Gig 0/1" -> "Gi0/1",
// "Ten 1/1/1" -> "Te1/1/1"; a name already short comes back as it is.
std::string ShortInterfaceName(std::string_view cdpName);

// True iff the VLAN list ("1-4094", "1,10,20-30", "none", "") holds vlan.
bool VlanListHolds(std::string_view list, int vlan);

// The neighbour whose device ID names hostName (case ignored, the domain after the first '.'
// left out); null when none does.
const TCdpNeighbour* NeighbourNamed(const TNeighbourFacts& facts, std::string_view hostName);

// The platform's number of sessions with sources; for a platform not known, 2 while
// model.SPANSessions holds no session above 2, else NoSessionLimit (the switch is left to
// refuse).
int SourceSessionLimit(const TSwitchModel& model);

// Appends the names of a listing such as "Gi0/1-3,Gi0/5" to names. Comma-separated parts come
// out last part first, each range ascending: "Gi0/1-3,Gi0/5" gives Gi0/5, Gi0/1, Gi0/2, Gi0/3.
// Raises "Fail to parse port range [...]" for a range whose numbers are not 32-bit integers or
// that spans more than MaxPortEntries numbers; then nothing is appended.
void ExpandPortList(const std::string& list, std::vector<std::string>& names);

// Gives every entry named in list the role in session (1..MaxSessionNumber), without marking it
// changed. Raises for another session number, an unknown name or an entry that already has a
// role there.
void AddPortsToSession(TSwitchModel& model, const std::string& list, int session,
                       const std::string& role);

// --- Rules -----------------------------------------------------------------------------------

// Whether entry name may take role wanted in session; when not, message says why (ready to
// show), otherwise message is empty. Refuses every change in a session Tarvello only shows, a
// destination in an RSPAN source session and a source in an RSPAN destination session, every
// role but "None" for the reflector port of any session, and a change of a destination whose
// ingress forwarding Tarvello could not rebuild; the session limit counts the sessions with
// sources, of every kind; the RSPAN VLAN of an edited RSPAN session takes no role in it and no
// role but "None" elsewhere; a destination in any other session refuses every role, a source
// there refuses a destination. Changes nothing and never raises.
bool CheckSpanType(const TSwitchModel& model, int session, const std::string& name,
                   const std::string& wanted, std::string& message);

// Whether session may take the VLAN filter as typed; when not, message says why (ready to show),
// otherwise message is empty. Every filter is refused in a session that is only shown; else a
// filter that is blank once trimmed is always allowed, another is refused in an RSPAN
// destination session and while a VLAN is a source of the session. Changes nothing. Raises for a
// session outside 1..MaxSessionNumber when the filter is not blank.
bool CheckVlanFilter(const TSwitchModel& model, int session, const std::string& filter,
                     std::string& message);

// Whether session may take the destination encapsulation; as CheckVlanFilter. Refused in a
// session that is only shown, and as a change (by its drop-down index) in an RSPAN session and
// where the destination forwards ingress traffic, whose line Tarvello could not rebuild. Never
// raises.
bool CheckEncapsulation(const TSwitchModel& model, int session, const std::string& encapsulation,
                        std::string& message);

// --- Command generation ----------------------------------------------------------------------

// Fills lines with the configuration commands that take the switch from the loaded model to the
// edited one, driven by the Changed flags: the blocks of the RSPAN VLANs to create ("vlan V",
// " name NAME", " remote-span", "exit"), "no monitor session N" for an RSPAN session emptied or
// turned into another kind, removals, a dropped RSPAN VLAN, filter lines, the RSPAN VLANs of
// destination sessions, additions, those of source sessions, then "no vlan V" for the VLANs a
// put back removes; sessions in ascending order within each entry. A session cleared whole gets
// its members and filter sent again. A VLAN filter is removed by its loaded list where the
// session has other filters, so they stay. A session that is and was local sends exactly its
// member and filter lines. Raises when the two lists differ in length, when a flag is set in a
// session that is only shown or an RSPAN session with members due a VLAN line has none (before
// the list is touched), when a VLAN is to become a destination, and when a line would hold a
// control character.
void BuildConfigScript(const TSwitchModel& model, std::vector<std::string>& lines);

// --- Edits, as the session page makes them --------------------------------------------------

// Stores an accepted role change: entry's role in session becomes role, marked changed (also
// when role equals the present one); a session not held yet is held from now on. Raises for a
// session outside 1..MaxSessionNumber or an entry outside 1..model.Ports.Count.
void SetSpanType(TSwitchModel& model, int entry, int session, const std::string& role);

// Stores a session's destination encapsulation and (trimmed) VLAN filter, marks the session
// changed and marks changed every entry that is the session's destination, so its destination
// line is sent again with the new encapsulation; not where the destination forwards ingress
// traffic, whose line is never rebuilt. A session not held yet is held from now on. Raises for a
// session outside 1..MaxSessionNumber.
void SetSessionSettings(TSwitchModel& model, int session, const std::string& encapsulation,
                        const std::string& filter);

// Whether the sessions Tarvello edits, as just loaded (model.Ports, model.SPANSessions), differ
// from an earlier load of the same switch: an entry's role (entries matched by kind and name), a
// session's encapsulation or VLAN filter, or its kind or RSPAN VLAN; or a VLAN of createdVlans
// (those an Apply since created, see NewVlanNumbers) that the switch now has. A session only
// shown in either load is left out.
bool DiffersFromEarlier(const TSwitchModel& model, const TPorts& earlierPorts,
                        const TSPANSessions& earlierSessions,
                        const std::vector<int>& createdVlans = {});
// Marks as edits, with the Changed flags BuildConfigScript goes by, what takes the switch back
// from the present load to the earlier one, compared as DiffersFromEarlier does; each VLAN of
// createdVlans that the switch now has goes to model.VlansToRemove.
void MarkPutBack(TSwitchModel& model, const TPorts& earlierPorts,
                 const TSPANSessions& earlierSessions, const std::vector<int>& createdVlans = {});

// --- RSPAN, as the session page edits it --------------------------------------------------

// True iff session's kind may be chosen now: a session Tarvello edits, without members, on a
// switch whose image has RSPAN (not LAN Lite). Raises for a session outside 1..MaxSessionNumber.
bool SessionKindChoosable(const TSwitchModel& model, int session);

// Whether session may become of kind; when not, message says why (ready to show), otherwise it is
// empty. Its present kind is always allowed; another must be Local, RspanSource or
// RspanDestination, and is refused on LAN Lite and while the session has members; an RSPAN
// source counts against LocalSessionLimit as a session with sources. Never raises.
bool CheckSessionKind(const TSwitchModel& model, int session, TSessionKind kind,
                      std::string& message);

// Whether the RSPAN session may take vlan (as typed) as its RSPAN VLAN; as CheckSessionKind. The
// loaded VLAN of the loaded kind is always allowed. Another is refused in a local session, in a
// session with a reflector port (its line would drop that port), outside 2-1001 and 1006-4094,
// for an active VLAN with access ports (named) that is not remote-span yet, for a VLAN neither
// marked remote-span on the switch nor created by this change, for one an RSPAN session of the
// other direction uses, and for a source VLAN of any session. Never raises.
bool CheckRspanVlan(const TSwitchModel& model, int session, const std::string& vlan,
                    std::string& message);

// Whether this change may create RSPAN VLAN number (as typed) named name; as CheckSessionKind.
// Refused while the RSPAN facts are not known, on a VTP client (naming its server), outside the
// RSPAN VLAN ranges, for a VLAN already remote-span or created by this change, for an active
// VLAN with access ports, and for a name that is not 1 to 32 printable characters without
// blanks or "?" (the switch's command line takes "?" for help). Never raises.
bool CheckNewRspanVlan(const TSwitchModel& model, const std::string& number,
                       const std::string& name, std::string& message);

// The RSPAN VLAN an RSPAN session may keep or take without asking, as its kind is chosen: its own
// when CheckRspanVlan allows it, else the first of RspanVlanItems it allows; empty when none.
// Raises for a session outside 1..MaxSessionNumber.
std::string AllowedRspanVlan(const TSwitchModel& model, int session);

// Stores an accepted kind and RSPAN VLAN of session (the VLAN is dropped for a local session);
// KindChanged tells whether they differ from the loaded session's. An RSPAN end drops the
// encapsulation, a destination end its VLAN filter too (marking the settings changed when it
// had one). A session not held yet is held from now on. Raises for a session outside
// 1..MaxSessionNumber.
void SetSessionKind(TSwitchModel& model, int session, TSessionKind kind,
                    const std::string& rspanVlan);

// Adds an accepted RSPAN VLAN to those this change creates; a number already there takes the
// new name.
void AddNewRspanVlan(TSwitchModel& model, int number, const std::string& name);

// The VLANs of model.NewRspanVlans that an edited RSPAN session uses, ascending.
std::vector<TNewRspanVlan> VlansToCreate(const TSwitchModel& model);
// The numbers of VlansToCreate that the last load found no active VLAN for: those a put back of
// a failed Apply may remove again.
std::vector<int> NewVlanNumbers(const TSwitchModel& model);

// Why the edits cannot be sent yet: an edited RSPAN end with members and no RSPAN VLAN ("Choose
// the RSPAN VLAN of session 5 under Advanced settings before Apply."); empty when they can.
std::string MissingRspanVlan(const TSwitchModel& model);

// What is worth knowing before the lines go, one sentence each, none a refusal: a trunk that an
// edited RSPAN source session mirrors (where it carries the RSPAN VLAN, that VLAN's own traffic
// is not mirrored), and a VLAN above 1005 created on a VTP server or transparent switch (every
// switch on the path must have it too).
std::vector<std::string> RspanWarnings(const TSwitchModel& model);

// The role chooser's rows for a session of kind: all five for a local session ("None",
// "Source (Ingress)", "Source (Egress)", "Source (Ingress and Egress)", "Destination (SPAN
// port)", read by SpanTypeOfChoice), None and the three sources for an RSPAN source session,
// None and the destination for an RSPAN destination session.
struct TRoleChoice {
  std::string Role;
  std::string Caption;
};
std::vector<TRoleChoice> RoleChoices(TSessionKind kind);

// The kind drop-down's items: "Local", "RSPAN source (send to an RSPAN VLAN)", "RSPAN
// destination (take from an RSPAN VLAN)".
struct TSessionKindItem {
  TSessionKind Kind;
  std::string Caption;
};
std::vector<TSessionKindItem> SessionKindItems();

// The RSPAN VLAN drop-down's items for session, by number: the switch's remote-span VLANs (with
// their names where listed as active), the VLANs this change creates ("999 TAP (new)") and the
// session's own VLAN when neither ("300 (not remote-span)"); then "New RSPAN VLAN..." with an
// empty Vlan. Raises for a session outside 1..MaxSessionNumber.
struct TRspanVlanItem {
  std::string Vlan;
  std::string Caption;
};
std::vector<TRspanVlanItem> RspanVlanItems(const TSwitchModel& model, int session);

// What stands where the kind drop-down would for a session whose kind could be chosen but for
// the switch's image: "This switch runs the LAN Lite image, which has no RSPAN: its sessions are
// local."; empty otherwise. Raises for a session outside 1..MaxSessionNumber.
std::string SessionKindNote(const TSwitchModel& model, int session);

// --- Queries ---------------------------------------------------------------------------------

// True iff any entry's role or any session's settings, kind or RSPAN VLAN carry a Changed flag,
// or a VLAN is to be created (VlansToCreate) or removed.
bool HasChanges(const TSwitchModel& model);
// Number of entries whose role in session is not "None". Raises for a session outside
// 1..MaxSessionNumber.
int SessionPortCount(const TSwitchModel& model, int session);
// True iff some VLAN entry has a role other than "None" in session; such a session must keep
// its VLAN filter empty. Raises for a session outside 1..MaxSessionNumber.
bool SessionHasVlanSource(const TSwitchModel& model, int session);
// Position of the first entry (1..model.Ports.Count) whose Name equals name exactly; 0 when
// there is none.
int FindPort(const TSwitchModel& model, const std::string& name);
// The first entry (1..model.Ports.Count) whose name starts with typed, ignoring case: an
// interface's name ("Gi1/0/5"), a VLAN's as the grid shows it ("vlan 10") or its number alone
// ("10"). 0 when typed is empty or no entry matches.
int FindEntryByPrefix(const TSwitchModel& model, const std::string& typed);
// True iff Tarvello edits session: a local one, an RSPAN one whose members are all entries, or a
// number 1..MaxSessionNumber the switch does not list.
bool SessionIsEditable(const TSwitchModel& model, int session);

// --- Presentation texts --------------------------------------------------------------------

// The grid's role column text: "Destination (SPAN port)" for "Destination", else the role.
std::string SpanTypeCaption(const std::string& spanType);
// Role of the local chooser's row 0..4 ("None", "Ingress", "Egress", "Both", "Destination");
// other rows give "None".
std::string SpanTypeOfChoice(int choice);
// Index in the encapsulation drop-down: 1 for "Replicate", 0 for anything else.
int EncapsulationIndex(const std::string& encapsulation);

// Session drop-down item text. A local session: "3 (Configured)" when it has members, else
// "3 (Available)". Another says its type, an RSPAN session its VLAN too: "40 (RSPAN source, VLAN
// 300)", "41 (RSPAN destination, VLAN 300)" ("40 (RSPAN source)" without one), "52 (ERSPAN
// source)", "53 (ERSPAN destination)", or the type as printed, "7 (Foo Session)". A session
// that will not mirror says so inside the parentheses: "3 (Configured, not mirroring)"
// (HealthCaptionWords in model/session_health.h). Raises for a session outside
// 1..MaxSessionNumber.
std::string SessionCaption(const TSwitchModel& model, int session);

struct TSessionItem {
  int Number;
  std::string Caption;
};
// Items of the session drop-down: sessions 1 and 2, then every other session held, ascending;
// and, in its place, the lowest free number up to 66 as "N (Available)" when every session held
// is in use (a local one with members, or one of another kind) and the local, RSPAN and ERSPAN
// source sessions among them stay below LocalSessionLimit.
std::vector<TSessionItem> SessionItems(const TSwitchModel& model);

// What the advanced settings area says of a session that is only shown: its kind, its state
// when not enabled, its description, where its traffic goes or comes from and its reflector
// port ("reflector port Gi0/3"), its filters, the
// members that name no entry, and on a line of its own that Tarvello does not change it. Empty
// for a local session.
std::string ShownSessionText(const TSwitchModel& model, int session);
// For a local session, the settings Tarvello keeps as the switch has them (other filters,
// ingress forwarding, a reflector port, a description), in one line; empty when there are none.
std::string KeptSettingsText(const TSwitchModel& model, int session);

// Header texts of the ports grid's three columns.
std::array<std::string, 3> PortsGridHeader();
// Texts of data row entry (1..model.Ports.Count) for session: name column, description, role
// caption (the VLAN entry of an RSPAN session's RspanVlan reads "Destination (RSPAN VLAN)" in a
// source session, "Source (RSPAN VLAN)" in a destination session). Raises for a session
// outside 1..MaxSessionNumber or an entry outside 1..model.Ports.Count.
std::array<std::string, 3> PortsGridRow(const TSwitchModel& model, int entry, int session);
// Texts of data rows 1..model.Ports.Count for session, in entry order (element 0 is row 1).
// Raises for a session outside 1..MaxSessionNumber before producing anything.
std::vector<std::array<std::string, 3>> PortsGridRows(const TSwitchModel& model, int session);
// Width of each of the three columns for a grid of the given outer width in pixels.
int PortsGridColumnWidth(int gridWidth);
// A description as drawn in the grid: its first 18 characters followed by "..." when it has
// 18 characters or more, else unchanged.
std::string GridDescriptionText(const std::string& description);
