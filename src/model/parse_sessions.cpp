#include <string>
#include <string_view>
#include <vector>

#include "model/listing_words.h"
#include "model/port_index.h"
#include "model/sessionlist.h"
#include "model/vocabulary.h"
#include "support/application_log.h"
#include "support/text_helpers.h"

namespace {

enum class ListingState {
  Idle,         // outside any block; looking for a "Session n" header
  AfterHeader,  // a valid header was read; a hyphen line or a field line must follow
  InSession,    // field lines apply to the current session
};

// Role given by a field label, or empty when the label names no role.
std::string RoleOfLabel(std::string_view label) {
  if (label == "RX Only") {
    return kRoleIngress;
  }
  if (label == "TX Only") {
    return kRoleEgress;
  }
  if (label == "Both") {
    return kRoleBoth;
  }
  if (label == "Destination Ports") {
    return kRoleDestination;
  }
  return "";
}

// Labels whose value is kept as a text of the session.
struct TextField {
  std::string_view label;
  std::string TSPANSession::*field;
};
const TextField kTextFields[] = {
    {"Type", &TSPANSession::SessionType},
    {"Status", &TSPANSession::Status},
    {"Description", &TSPANSession::Description},
    {"Encapsulation", &TSPANSession::Encapsulation},
    {"Filter VLANs", &TSPANSession::FilterVLANs},
    {"Dest RSPAN VLAN", &TSPANSession::RspanVlan},
    {"Source RSPAN VLAN", &TSPANSession::RspanVlan},
    {"Destination IP Address", &TSPANSession::ErspanDestinationIp},
    {"Source IP Address", &TSPANSession::ErspanSourceIp},
    {"Destination ERSPAN ID", &TSPANSession::ErspanId},
    {"Source ERSPAN ID", &TSPANSession::ErspanId},
    {"Origin IP Address", &TSPANSession::OriginIp},
};

// Filters that Tarvello keeps as they are: the access groups ("IP Access-group", "MAC
// Access-group", "IPv6 Access-group", the ERSPAN form "Filter access-group") and any other
// "Filter ..." line but the VLAN filter and the address type that goes with an access group.
bool IsOtherFilterLabel(std::string_view label) {
  return LowerCase(label).ends_with("access-group") ||
         (label.starts_with("Filter ") && label != "Filter VLANs" && label != "Filter Addr Type");
}

// A list of members as the listing gives it, applied once the session's kind is known.
struct MemberList {
  int session;
  std::string role;
  std::string list;
};

class ListingParser {
 public:
  void Line(std::string_view line) {
    switch (state_) {
      case ListingState::InSession:
        // A header line ends the block; field lines that mention sessions hold a colon.
        if (line.find(':') == std::string_view::npos &&
            line.find("Session") != std::string_view::npos) {
          state_ = ListingState::Idle;
          Header(line);
          return;
        }
        Field(line);
        return;
      case ListingState::Idle:
        Header(line);
        return;
      case ListingState::AfterHeader:
        // The compact form prints no hyphen line: its first field starts the block.
        if (line.find("-------") != std::string_view::npos) {
          state_ = ListingState::InSession;
        } else if (line.find(':') != std::string_view::npos) {
          state_ = ListingState::InSession;
          Field(line);
        } else {
          session_ = 0;
          state_ = ListingState::Idle;
        }
        return;
    }
  }

  // Applies the members of every block, now that every session's kind is known: in a local
  // session as the switch's own (a name that is no entry fails the load), in any other as
  // shown only, together with the RSPAN VLAN as the session's destination or source.
  void ApplyMembers() {
    for (const MemberList& members : members_) {
      TSPANSession& session = SPANSessions.Items.Hold(members.session);
      if (IsEditable(session)) {
        AddPortsToSession(index_, members.list, members.session, members.role);
      } else {
        ShowPortsInSession(index_, members.list, session, members.role);
      }
    }
    for (const auto& [number, listed] : SPANSessions.Items) {
      if (listed.RspanVlan.empty()) {
        continue;
      }
      if (listed.Kind == TSessionKind::RspanSource) {
        ShowPortsInSession(index_, listed.RspanVlan, HoldSession(number), kRoleDestination);
      } else if (listed.Kind == TSessionKind::RspanDestination) {
        ShowPortsInSession(index_, listed.RspanVlan, HoldSession(number), kRoleBoth);
      }
    }
  }

 private:
  // "Session n": the first word and the word after it.
  void Header(std::string_view line) {
    std::string_view first;
    std::string_view second;
    int number = 0;
    if (!SplitTwoWords(line, first, second) || first != "Session" ||
        !ParseDecimal(second, number)) {
      return;
    }
    if (!IsValidSession(number)) {
      LogAndRaise("Invalid session ID ( " + std::to_string(number) + ") , allowed [1.." +
                  std::to_string(MaxSessionNumber) + "]");
    }
    // A session listed twice goes on where it stopped.
    HoldSession(number);
    session_ = number;
    state_ = ListingState::AfterHeader;
  }

  void Field(std::string_view line) {
    std::string_view value = line;
    std::string_view label;
    if (!CutAtMarker(":", value, label)) {
      return;  // a wrapped continuation line
    }
    // "None" stands for an empty field; it never overwrites what another line of the session
    // gave (the full form prints "Dest RSPAN VLAN : None" beside "Source RSPAN VLAN : 300").
    if (value == "None") {
      value = {};
    }
    TSPANSession& session = SPANSessions.Items.Hold(session_);
    if (std::string role = RoleOfLabel(label); !role.empty()) {
      if (!value.empty()) {
        members_.push_back({session_, std::move(role), std::string(value)});
      }
      return;
    }
    if (label == "Ingress") {
      // Forwarding of incoming traffic on the destination; "Disabled" unless configured.
      session.IngressForwarding.assign(value == "Disabled" ? std::string_view() : value);
      return;
    }
    if (IsOtherFilterLabel(label)) {
      if (!value.empty()) {
        session.OtherFilters.push_back(std::string(label) + " " + std::string(value));
      }
      return;
    }
    for (const TextField& text : kTextFields) {
      if (label == text.label) {
        if (!value.empty() || label == "Type") {
          (session.*text.field).assign(value);
        }
        if (label == "Type") {
          session.Kind = KindOfType(value);
        }
        return;
      }
    }
  }

  ListingState state_ = ListingState::Idle;
  int session_ = 0;
  PortNameIndex index_;
  std::vector<MemberList> members_;
};

}  // namespace

bool ParseSPANSessions(const std::string& listing) {
  const std::vector<std::string_view> lines = SplitLineViews(listing);
  SPANSessions.Items.Clear();
  HoldSession(1);
  HoldSession(2);
  ListingParser parser;
  for (const std::string_view raw : lines) {
    const std::string_view line = TrimView(raw);
    if (!line.empty()) {
      parser.Line(line);
    }
  }
  parser.ApplyMembers();
  SPANSessions.LocalSessionLimit = SourceSessionLimit();
  return true;
}
