// The entry and session records of the SPAN model. Entry positions are 1-based, as in the rules;
// sessions are addressed by their number on the switch.
#pragma once

#include <array>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

constexpr int MaxPortEntries = 4096;
// Session numbers run 1..MaxSessionNumber, the widest ID space IOS uses (on routers); every
// Catalyst numbers its sessions 1..66.
constexpr int MaxSessionNumber = 1024;
// A LocalSessionLimit that no count of sessions reaches: nothing is checked ahead.
constexpr int NoSessionLimit = MaxSessionNumber;

// A fixed-capacity array addressed 1..N. Every access is checked, in every build: a position
// outside 1..N throws std::out_of_range instead of touching memory past the array.
template <typename T, int N>
class OneBased {
 public:
  T& operator[](int position) {
    Check(position);
    return items_[position - 1];
  }
  const T& operator[](int position) const {
    Check(position);
    return items_[position - 1];
  }

 private:
  static void Check(int position) {
    if (position < 1 || position > N) {
      throw std::out_of_range("position " + std::to_string(position) + " outside 1.." +
                              std::to_string(N));
    }
  }

  std::array<T, N> items_{};
};

// Throws std::out_of_range unless session is 1..MaxSessionNumber.
void CheckSessionNumber(int session);

// One entry's role in one session.
struct TPortSpanType {
  std::string SpanType = "None";  // "None", "Ingress", "Egress", "Both" or "Destination"
  bool Changed = false;
};

// One entry's roles by session number. Only the sessions where the entry has a role or a
// Changed flag hold a record, so a switch with many sessions costs memory for its members
// only; every other session reads as "None", unchanged.
class TPortSpanTypes {
 public:
  using Held = std::vector<std::pair<int, TPortSpanType>>;

  // The role in session (1..MaxSessionNumber). Throws std::out_of_range for another number.
  const TPortSpanType& operator[](int session) const;
  // Stores the role in session; a "None", unchanged record is dropped. Throws as above.
  void Set(int session, TPortSpanType span);
  // The held records, in ascending session order.
  const Held& Sessions() const { return held_; }
  void Clear() { held_.clear(); }

 private:
  Held held_;
};

// One interface or active VLAN.
// An interface's columns of "show interface status" after its description, as views into the
// line they were read from: all empty for a VLAN, or where the line holds no status word.
struct TStatusColumns {
  std::string_view Status;  // "connected", "notconnect", "disabled", "err-disabled", "monitoring"
  std::string_view Vlan;    // a VLAN number, "trunk", "routed" or "unassigned"
  std::string_view Duplex;  // "a-full", "full", "auto", ...
  std::string_view Speed;   // "a-1000", "100", "10G", "auto", ...
  std::string_view Type;    // "10/100/1000BaseTX", "SFP-10GBase-SR", "Not Present", ...
};

// An interface's line of "show interface status", kept whole and read into columns only when
// asked: the load of thousands of interfaces then costs one copy per line and no scan.
class TInterfaceStatus {
 public:
  // Keeps the line (trimmed); assigning again reuses the storage.
  void Assign(std::string_view line) { line_.assign(line); }
  // The columns from the line's last status word on (a description may hold one too); views
  // into this object, valid while it is neither changed nor destroyed.
  TStatusColumns Columns() const;

 private:
  std::string line_;
};

struct TPort {
  std::string Name;         // interface short name (Gi0/1) or VLAN number (10)
  std::string Kind;         // "interface" or "vlan"
  std::string Description;  // interface description or VLAN name
  TPortSpanTypes SpanTypes;
  TInterfaceStatus Interface;
};

struct TPorts {
  int Count = 0;
  OneBased<TPort, MaxPortEntries> Items;
};

// What a session is, from its "Type" line. Tarvello edits local and RSPAN sessions; the others are
// shown as the switch has them.
enum class TSessionKind {
  Local,              // "Local Session", or no Type line
  RspanSource,        // "Remote Source Session"
  RspanDestination,   // "Remote Destination Session"
  ErspanSource,       // "ERSPAN Source Session"
  ErspanDestination,  // "ERSPAN Destination Session"
  Other,              // any other type text
};

struct TSPANSession {
  int Number = 0;             // the switch's session number; 0 for a session not held
  std::string SessionType;    // the switch's "Type" line, as printed
  std::string Encapsulation;  // "Native", "Replicate" or empty
  std::string FilterVLANs;    // e.g. "1-5,7"; empty when there is no filter
  bool Changed = false;       // the encapsulation or the VLAN filter was edited

  // What the session is, and for an RSPAN session the VLAN its traffic goes to (source) or
  // comes from (destination): loaded, and edited where Tarvello edits the session.
  TSessionKind Kind = TSessionKind::Local;
  std::string RspanVlan;
  bool KindChanged = false;  // the kind or the RSPAN VLAN differs from the loaded session's

  // What the listing tells and Tarvello shows, keeps and never edits.
  std::string Status;  // e.g. "Admin Enabled"
  std::string Description;
  std::string ErspanDestinationIp;  // where an ERSPAN source session sends its traffic
  std::string ErspanSourceIp;       // where an ERSPAN destination session takes it from
  std::string ErspanId;
  std::string OriginIp;
  // The port that puts an RSPAN source session's traffic onto its VLAN (Catalyst 2950/2955); it
  // may take no role in any session.
  std::string ReflectorPort;
  // Filters other than the VLAN filter (access groups), each as "<label> <value>".
  std::vector<std::string> OtherFilters;
  std::string IngressForwarding;  // the destination's "Ingress" value when not "Disabled"
  // Members of a session only shown that name no entry (a subinterface, an inactive VLAN):
  // the first few names, and how many there were in all.
  std::vector<std::string> UnknownMembers;
  int UnknownMemberCount = 0;
  // An RSPAN session whose members Tarvello could not edit (one that is no entry, is listed
  // twice or has a role its end does not take): shown as the switch has it.
  bool ShownOnly = false;
};

// The sessions by number, in ascending order.
class TSPANSessionList {
 public:
  using Map = std::map<int, TSPANSession>;

  // The session's settings; a number the list does not hold reads as an empty local session
  // (Number 0). Throws std::out_of_range outside 1..MaxSessionNumber.
  const TSPANSession& operator[](int session) const;
  bool Holds(int session) const { return sessions_.count(session) != 0; }
  // The session for writing, added as an empty local session when not held. Throws as above.
  TSPANSession& Hold(int session);
  int Size() const { return static_cast<int>(sessions_.size()); }
  void Clear() { sessions_.clear(); }
  Map::const_iterator begin() const { return sessions_.begin(); }
  Map::const_iterator end() const { return sessions_.end(); }

 private:
  Map sessions_;
};

struct TSPANSessions {
  int Count = 0;  // sessions held: 1 and 2 after a load, and every other the switch lists
  TSPANSessionList Items;
  // Most sessions that may have sources at once: the platform's number, NoSessionLimit when
  // nothing is checked ahead.
  int LocalSessionLimit = 0;
};

// The operating system a "show version" banner names. Tarvello configures IOS and IOS-XE only.
enum class TSwitchSystem {
  NotNamed,  // no banner names one (or "show version" was refused): loaded as IOS
  Ios,       // IOS or IOS-XE, in any of its forms
  NxOs,
  IosXr,
  Asa,
};

// The system's name for messages and the log: "Cisco NX-OS", ...; "not named" for NotNamed.
std::string to_string(TSwitchSystem system);

// True for a system other than IOS: its listings are not read, and no line is sent to it.
inline bool IsOtherSystem(TSwitchSystem system) {
  return system == TSwitchSystem::NxOs || system == TSwitchSystem::IosXr ||
         system == TSwitchSystem::Asa;
}

// What "show version" tells of the switch.
struct TSwitchPlatform {
  std::string Model;       // e.g. "WS-C2960X-48FPD-L"; empty when not found
  int SourceSessions = 0;  // sessions that may have sources; 0 when the platform is not known
  TSwitchSystem System = TSwitchSystem::NotNamed;
  bool LanLite = false;  // a LAN Lite image ("LANLITE" in its name), which has no RSPAN
};

// The switch's VTP role from "show vtp status": whether it may create VLANs itself.
enum class TVtpMode { NotKnown, Server, Client, Transparent, Off };
std::string to_string(TVtpMode mode);

struct TVtpStatus {
  TVtpMode Mode = TVtpMode::NotKnown;  // NotKnown when the switch refused or printed no mode
  std::string Domain;                  // "VTP Domain Name", empty when none
  std::string LastModifiedBy;          // the address after "Configuration last modified by"
};

// One line of "show cdp neighbors": the neighbour's device ID as printed (its host name, with
// its domain when it has one), the local interface and the neighbour's port, both in the short
// form "show interface status" prints ("Gig 0/1" becomes "Gi0/1"), and its platform.
struct TCdpNeighbour {
  std::string DeviceId;
  std::string LocalInterface;
  std::string Platform;
  std::string PortId;
};

// One trunk port of "show interfaces trunk" with its VLAN lists as printed ("1-4094",
// "1,10,20-30", "none").
struct TTrunk {
  std::string Interface;
  std::string Allowed;        // "Vlans allowed on trunk"
  std::string AllowedActive;  // "Vlans allowed and active in management domain"
  std::string Forwarding;     // "Vlans in spanning tree forwarding state and not pruned"
};

// Who the switch's neighbours are and what its trunks carry, read when a second switch is open.
// Known is false when either command was refused or not answered.
struct TNeighbourFacts {
  bool Known = false;
  std::vector<TCdpNeighbour> Neighbours;
  std::vector<TTrunk> Trunks;
};

// A VLAN that a change creates to carry RSPAN traffic ("vlan V", " name NAME", " remote-span").
struct TNewRspanVlan {
  int Number = 0;
  std::string Name;
};

// What the switch tells about RSPAN VLANs: those marked remote-span ("show vlan remote-span")
// and its VTP role. Known is false when the switch refused either command or did not answer;
// then no VLAN is created by Tarvello.
struct TRspanFacts {
  bool Known = false;
  std::vector<int> RemoteSpanVlans;  // ascending
  TVtpStatus Vtp;
};
