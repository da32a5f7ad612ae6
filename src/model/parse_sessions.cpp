#include <algorithm>
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
  AfterHeader,  // a valid header was read; the hyphen line must follow
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
        if (line.find("-------") != std::string_view::npos) {
          state_ = ListingState::InSession;
        } else {
          session_ = 0;
          state_ = ListingState::Idle;
        }
        return;
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
    if (number < 1 || number > SessionCount) {
      LogAndRaise("Invalid session ID ( " + std::to_string(number) + ") , allowed [1.." +
                  std::to_string(SessionCount) + "]");
    }
    session_ = number;
    state_ = ListingState::AfterHeader;
  }

  void Field(std::string_view line) {
    std::string_view value = line;
    std::string_view label;
    if (!CutAtMarker(":", value, label)) {
      return;  // a wrapped continuation line
    }
    TSPANSession& session = SPANSessions.Items[session_];
    if (label == "Type") {
      session.SessionType.assign(value);
    } else if (label == "Encapsulation") {
      session.Encapsulation.assign(value);
    } else if (label == "Filter VLANs") {
      session.FilterVLANs.assign(value);
    } else if (std::string role = RoleOfLabel(label); !role.empty()) {
      AddPortsToSession(index_, std::string(value), session_, role);
    }
  }

  ListingState state_ = ListingState::Idle;
  int session_ = 0;
  PortNameIndex index_;
};

}  // namespace

bool ParseSPANSessions(const std::string& listing) {
  const std::vector<std::string_view> lines = SplitLineViews(listing);
  SPANSessions.Count = SessionCount;
  for (int session = 1; session <= SessionCount; ++session) {
    SPANSessions.Items[session] = TSPANSession{};
  }
  ListingParser parser;
  for (const std::string_view raw : lines) {
    const std::string_view line = TrimView(raw);
    if (!line.empty()) {
      parser.Line(line);
    }
  }
  SPANSessions.LocalSessionLimit = std::max(SPANSessions.Count, SessionCount);
  return true;
}
