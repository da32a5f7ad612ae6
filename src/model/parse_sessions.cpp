#include <algorithm>
#include <string>
#include <vector>

#include "model/port_index.h"
#include "model/sessionlist.h"
#include "model/span_roles.h"
#include "model/text_lines.h"
#include "support/utils.h"

namespace {

enum class ListingState {
  Idle,         // outside any block; looking for a "Session n" header
  AfterHeader,  // a valid header was read; the hyphen line must follow
  InSession,    // field lines apply to the current session
};

// Role given by a field label, or empty when the label names no role.
std::string RoleOfLabel(const std::string& label) {
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

class ListingParser {
 public:
  void Line(const std::string& line) {
    switch (state_) {
      case ListingState::InSession:
        // A header line ends the block; field lines that mention sessions hold a colon.
        if (line.find(':') == std::string::npos && line.find("Session") != std::string::npos) {
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
        if (line.find("-------") != std::string::npos) {
          state_ = ListingState::InSession;
        } else {
          session_ = 0;
          state_ = ListingState::Idle;
        }
        return;
    }
  }

 private:
  void Header(const std::string& line) {
    std::string first;
    std::string second;
    int number = 0;
    if (!SplitTwoWords(line, first, second) || first != "Session" ||
        !ParseDecimal(second, number)) {
      return;
    }
    if (number < 1 || number > SessionCount) {
      LogAndRaise("Invalid session ID ( " + std::to_string(number) + ") , allowed [1.." +
                  std::to_string(SessionCount) + "]");
    }
    session_ = number;
    state_ = ListingState::AfterHeader;
  }

  void Field(const std::string& line) {
    std::string value = line;
    std::string label;
    if (!CutAtMarker(":", value, label)) {
      return;  // a wrapped continuation line
    }
    TSPANSession& session = SPANSessions.Items[session_];
    if (label == "Type") {
      session.SessionType = value;
    } else if (label == "Encapsulation") {
      session.Encapsulation = value;
    } else if (label == "Filter VLANs") {
      session.FilterVLANs = value;
    } else if (std::string role = RoleOfLabel(label); !role.empty()) {
      AddPortsToSession(index_, value, session_, role);
    }
  }

  ListingState state_ = ListingState::Idle;
  int session_ = 0;
  PortNameIndex index_;
};

}  // namespace

bool ParseSPANSessions(const std::string& listing) {
  std::vector<std::string> lines = SplitLines(listing);
  SPANSessions.Count = SessionCount;
  for (int session = 1; session <= SessionCount; ++session) {
    SPANSessions.Items[session] = TSPANSession{};
  }
  ListingParser parser;
  for (const std::string& raw : lines) {
    std::string line = Trim(raw);
    if (!line.empty()) {
      parser.Line(line);
    }
  }
  SPANSessions.LocalSessionLimit = std::max(SPANSessions.Count, SessionCount);
  return true;
}
