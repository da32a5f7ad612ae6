#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/listing_words.h"
#include "model/port_index.h"
#include "model/switch_model_ops.h"
#include "model/vocabulary.h"
#include "support/application_log.h"
#include "support/text_helpers.h"

namespace {

enum class ListingState {
  Idle,         // outside any block; looking for a "Session n" header
  AfterHeader,  // a valid header was read; a hyphen line or a field line must follow
  InSession,    // field lines apply to the current session
  Foreign,      // a header in another system's layout was met; nothing more is read
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
    {"Reflector Port", &TSPANSession::ReflectorPort},
};

// Filters that Tarvello keeps as they are: the access groups ("IP Access-group", "MAC
// Access-group", "IPv6 Access-group", the ERSPAN form "Filter access-group") and any other
// "Filter ..." line but the VLAN filter and the address type that goes with an access group.
bool IsOtherFilterLabel(std::string_view label) {
  return LowerCase(label).ends_with("access-group") ||
         (label.starts_with("Filter ") && label != "Filter VLANs" && label != "Filter Addr Type");
}

// A word of a field's label: letters, digits, '-' and '_', with a letter among them.
bool IsLabelWord(std::string_view word) {
  bool letter = false;
  for (const char c : word) {
    const bool isLetter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!isLetter && !(c >= '0' && c <= '9') && c != '-' && c != '_') {
      return false;
    }
    letter = letter || isLetter;
  }
  return letter;
}

// "label : value" with a label of label words: a time stamp ("Mar  1 00:01:02: %LINK-3-UPDOWN:
// ...") is no field line, nor the load line "exec prompt timestamp" prints above every show
// command's output.
bool IsFieldLine(std::string_view line) {
  std::string_view label;
  if (!CutAtMarker(":", line, label) || label.empty() || label.starts_with("Load for ")) {
    return false;
  }
  while (!label.empty()) {
    const size_t blank = label.find(' ');
    if (!IsLabelWord(label.substr(0, blank))) {
      return false;
    }
    label = blank == std::string_view::npos ? std::string_view() : TrimView(label.substr(blank));
  }
  return true;
}

// "session 1": the header NX-OS prints, which IOS writes "Session 1".
bool IsForeignHeader(std::string_view line) {
  std::string_view first;
  std::string_view second;
  int number = 0;
  return line.find(':') == std::string_view::npos && SplitTwoWords(line, first, second) &&
         first != "Session" && LowerCase(first) == "session" && ParseDecimal(second, number);
}

// A list of members as the listing gives it, applied once the session's kind is known.
struct MemberList {
  int session;
  std::string role;
  std::string list;
};

class ListingParser {
 public:
  explicit ListingParser(TSwitchModel& model) : model_(model), index_(model) {}

  void Line(std::string_view line) {
    if (IsForeignHeader(line)) {
      state_ = ListingState::Foreign;
    }
    switch (state_) {
      case ListingState::Foreign:
        return;
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
        if (!headerRead_ && IsFieldLine(line)) {
          SkipField(line);
          return;
        }
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

  // False after a header in another system's layout, or when field lines came and no header:
  // such a listing must not load as a switch without sessions.
  bool Understood() const {
    return state_ != ListingState::Foreign && (headerRead_ || skippedFields_ == 0);
  }

  // One line for the field lines before the first header, when there were any.
  void LogSkippedFields() const {
    if (skippedFields_ > 0) {
      WriteLog("Parse SPAN sessions: " + std::to_string(skippedFields_) +
               " field lines before the first session skipped, the first [" + firstSkipped_ + "]");
    }
  }

  // Applies the members of every block, now that every session's kind is known: in a local
  // session as the switch's own (a name that is no entry fails the load); in an RSPAN session
  // so too while every member it lists is an entry, its VLAN kept as its setting; in any other
  // as shown only, together with an RSPAN VLAN as the session's destination or source.
  void ApplyMembers() {
    for (const int number : RspanSessionsShownOnly()) {
      model_.SPANSessions.Items.Hold(number).ShownOnly = true;
    }
    for (const MemberList& members : members_) {
      TSPANSession& session = model_.SPANSessions.Items.Hold(members.session);
      if (IsEditable(session)) {
        AddPortsToSession(model_, index_, members.list, members.session, members.role);
      } else {
        ShowPortsInSession(model_, index_, members.list, session, members.role);
      }
    }
    for (const auto& [number, listed] : model_.SPANSessions.Items) {
      if (listed.RspanVlan.empty() || IsEditable(listed)) {
        continue;
      }
      if (listed.Kind == TSessionKind::RspanSource) {
        ShowPortsInSession(model_, index_, listed.RspanVlan, HoldSession(model_, number),
                           kRoleDestination);
      } else if (listed.Kind == TSessionKind::RspanDestination) {
        ShowPortsInSession(model_, index_, listed.RspanVlan, HoldSession(model_, number),
                           kRoleBoth);
      }
    }
  }

 private:
  // The RSPAN sessions whose members Tarvello could not edit: a name that is no entry, one listed
  // twice, or a role the session's end does not take (a listing may give a session twice, of
  // two kinds).
  std::set<int> RspanSessionsShownOnly() const {
    std::map<int, std::set<int>> seen;
    std::set<int> shownOnly;
    for (const MemberList& members : members_) {
      const TSessionKind kind = model_.SPANSessions.Items[members.session].Kind;
      const bool fits = kind == TSessionKind::RspanSource ? IsSourceRole(members.role)
                                                          : members.role == kRoleDestination;
      if (IsRspanKind(kind) &&
          (!fits || !AllNamedOnce(index_, members.list, seen[members.session]))) {
        shownOnly.insert(members.session);
      }
    }
    return shownOnly;
  }

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
    HoldSession(model_, number);
    headerRead_ = true;
    session_ = number;
    state_ = ListingState::AfterHeader;
  }

  void SkipField(std::string_view line) {
    if (skippedFields_++ == 0) {
      firstSkipped_ = line;
    }
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
    // IOS prints "-" for a session without a description.
    if (label == "Description" && value == "-") {
      value = {};
    }
    TSPANSession& session = model_.SPANSessions.Items.Hold(session_);
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

  TSwitchModel& model_;
  ListingState state_ = ListingState::Idle;
  int session_ = 0;
  bool headerRead_ = false;
  int skippedFields_ = 0;
  std::string firstSkipped_;
  PortNameIndex index_;
  std::vector<MemberList> members_;
};

// The listing's first line, the echoed command left out, cut to a length a message box shows.
std::string FirstLine(const std::vector<std::string_view>& lines) {
  constexpr size_t kShown = 80;
  for (const std::string_view raw : lines) {
    const std::string_view line = TrimView(raw);
    if (!line.empty() && line.find("show monitor") == std::string_view::npos) {
      return line.size() > kShown ? std::string(line.substr(0, kShown)) + "..." : std::string(line);
    }
  }
  return "";
}

[[noreturn]] void RaiseNotUnderstood(const std::string& listing,
                                     const std::vector<std::string_view>& lines) {
  WriteLog("Parse SPAN sessions error: listing not understood:");
  WriteLogDump("Source sessions dump:", listing);
  LogAndRaise("Cannot parse SPAN sessions: listing not understood, first line \"" +
              FirstLine(lines) + "\"");
}

}  // namespace

bool ParseSPANSessions(TSwitchModel& model, const std::string& listing) {
  const std::vector<std::string_view> lines = SplitLineViews(listing);
  model.SPANSessions.Items.Clear();
  model.NewRspanVlans.clear();
  model.VlansToRemove.clear();
  HoldSession(model, 1);
  HoldSession(model, 2);
  ListingParser parser(model);
  for (const std::string_view raw : lines) {
    const std::string_view line = TrimView(raw);
    if (!line.empty()) {
      parser.Line(line);
    }
  }
  if (!parser.Understood()) {
    RaiseNotUnderstood(listing, lines);
  }
  parser.LogSkippedFields();
  parser.ApplyMembers();
  model.SPANSessions.LocalSessionLimit = SourceSessionLimit(model);
  return true;
}
