// What a switch tells of its RSPAN VLANs and its VTP role.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "model/listing_words.h"
#include "model/switch_model_ops.h"
#include "support/application_log.h"
#include "support/text_helpers.h"

namespace {

[[noreturn]] void RaiseUnreadable(std::string_view what) {
  LogAndRaise("Cannot parse remote-span VLANs [" + std::string(what.substr(0, 80)) + "]");
}

// Appends the VLANs of one item of a compact list: "201" or "202-205".
void AddItem(std::string_view item, std::vector<int>& vlans) {
  int first = 0;
  int last = 0;
  const size_t hyphen = item.find('-');
  const bool read = hyphen == std::string_view::npos
                        ? ParseDecimal(item, first) && (last = first, true)
                        : ParseDecimal(TrimView(item.substr(0, hyphen)), first) &&
                              ParseDecimal(TrimView(item.substr(hyphen + 1)), last);
  if (!read || first < 1 || last > 4094 || first > last) {
    RaiseUnreadable(item);
  }
  for (int vlan = first; vlan <= last; ++vlan) {
    vlans.push_back(vlan);
  }
}

bool IsListLine(std::string_view line) {
  return std::all_of(line.begin(), line.end(), [](char c) {
    return (c >= '0' && c <= '9') || c == ',' || c == '-' || IsBlank(c);
  });
}

}  // namespace

std::vector<int> ParseRemoteSpanVlans(const std::string& text) {
  const std::vector<std::string_view> lines = SplitLineViews(text);
  // 1. The heading, then its dash line.
  auto line = std::find_if(lines.begin(), lines.end(), [](std::string_view candidate) {
    return TrimView(candidate) == "Remote SPAN VLANs";
  });
  if (line == lines.end()) {
    RaiseUnreadable(text);
  }
  ++line;
  if (line != lines.end() && TrimView(*line).starts_with("---")) {
    ++line;
  }
  // 2. The list, which wraps after a whole item: its lines are joined by a comma. A line with
  // anything else than digits, commas, hyphens and blanks ends it (the prompt that follows).
  std::vector<int> vlans;
  for (; line != lines.end() && IsListLine(*line); ++line) {
    std::string_view rest = TrimView(*line);
    while (!rest.empty()) {
      const size_t comma = rest.find(',');
      const std::string_view item = TrimView(rest.substr(0, comma));
      if (!item.empty()) {
        AddItem(item, vlans);
      }
      rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
  }
  std::sort(vlans.begin(), vlans.end());
  vlans.erase(std::unique(vlans.begin(), vlans.end()), vlans.end());
  return vlans;
}

TVtpStatus ParseVtpStatus(const std::string& text) {
  TVtpStatus status;
  constexpr std::string_view kModifiedBy = "Configuration last modified by ";
  for (const std::string_view raw : SplitLineViews(text)) {
    const std::string_view line = TrimView(raw);
    if (line.starts_with(kModifiedBy)) {
      std::string_view rest = line.substr(kModifiedBy.size());
      status.LastModifiedBy.assign(rest.substr(0, rest.find(' ')));
      continue;
    }
    std::string_view value = line;
    std::string_view label;
    if (!CutAtMarker(":", value, label)) {
      continue;
    }
    if (label == "VTP Domain Name") {
      status.Domain.assign(value);
    } else if (label == "VTP Operating Mode") {
      // VTP version 3 names the server "Primary Server" on the one that may change VLANs.
      const std::string mode = LowerCase(value);
      status.Mode = mode.ends_with("server") ? TVtpMode::Server
                    : mode == "client"       ? TVtpMode::Client
                    : mode == "transparent"  ? TVtpMode::Transparent
                    : mode == "off"          ? TVtpMode::Off
                                             : TVtpMode::NotKnown;
    }
  }
  return status;
}
