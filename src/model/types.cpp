#include "model/types.h"

#include "model/vocabulary.h"
#include "support/text_helpers.h"

#include <algorithm>

void CheckSessionNumber(int session) {
  if (session < 1 || session > MaxSessionNumber) {
    throw std::out_of_range("session " + std::to_string(session) + " outside 1.." +
                            std::to_string(MaxSessionNumber));
  }
}

namespace {

const TPortSpanType kNoRole{};
const TSPANSession kNoSession{};

bool BeforeSession(const std::pair<int, TPortSpanType>& held, int session) {
  return held.first < session;
}

}  // namespace

const TPortSpanType& TPortSpanTypes::operator[](int session) const {
  CheckSessionNumber(session);
  const auto at = std::lower_bound(held_.begin(), held_.end(), session, BeforeSession);
  return at != held_.end() && at->first == session ? at->second : kNoRole;
}

void TPortSpanTypes::Set(int session, TPortSpanType span) {
  CheckSessionNumber(session);
  const auto at = std::lower_bound(held_.begin(), held_.end(), session, BeforeSession);
  const bool held = at != held_.end() && at->first == session;
  const bool empty = span.SpanType == kNoRole.SpanType && !span.Changed;
  if (held && empty) {
    held_.erase(at);
  } else if (held) {
    at->second = std::move(span);
  } else if (!empty) {
    held_.insert(at, {session, std::move(span)});
  }
}

const TSPANSession& TSPANSessionList::operator[](int session) const {
  CheckSessionNumber(session);
  const auto found = sessions_.find(session);
  return found == sessions_.end() ? kNoSession : found->second;
}

TSPANSession& TSPANSessionList::Hold(int session) {
  CheckSessionNumber(session);
  auto [at, added] = sessions_.try_emplace(session);
  if (added) {
    at->second.Number = session;
  }
  return at->second;
}

std::string to_string(TSwitchSystem system) {
  switch (system) {
    case TSwitchSystem::Ios:
      return "Cisco IOS";
    case TSwitchSystem::NxOs:
      return "Cisco NX-OS";
    case TSwitchSystem::IosXr:
      return "Cisco IOS XR";
    case TSwitchSystem::Asa:
      return "Cisco ASA";
    case TSwitchSystem::NotNamed:
      break;
  }
  return "not named";
}

std::string to_string(TVtpMode mode) {
  switch (mode) {
    case TVtpMode::Server:
      return "server";
    case TVtpMode::Client:
      return "client";
    case TVtpMode::Transparent:
      return "transparent";
    case TVtpMode::Off:
      return "off";
    case TVtpMode::NotKnown:
      break;
  }
  return "not known";
}

TStatusColumns TInterfaceStatus::Columns() const {
  const std::string_view line = line_;
  // From the end, word by word: the columns are a few short words, a description may be long.
  size_t end = line.size();
  while (end > 0) {
    while (end > 0 && IsBlank(line[end - 1])) {
      --end;
    }
    size_t start = end;
    while (start > 0 && !IsBlank(line[start - 1])) {
      --start;
    }
    std::string_view word = line.substr(start, end - start);
    // A TDR note follows the status with a colon: "notconnect: TD".
    if (word.ends_with(':')) {
      word.remove_suffix(1);
    }
    if (IsInterfaceStatusWord(word)) {
      TStatusColumns columns;
      columns.Status = word;
      std::string_view rest = TrimView(line.substr(end));
      for (std::string_view* column : {&columns.Vlan, &columns.Duplex, &columns.Speed}) {
        const size_t blank = rest.find(' ');
        *column = rest.substr(0, blank);
        rest = blank == std::string_view::npos ? std::string_view() : TrimView(rest.substr(blank));
      }
      columns.Type = rest;
      return columns;
    }
    end = start;
  }
  return {};
}
