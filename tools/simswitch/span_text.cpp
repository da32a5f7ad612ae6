// Reading a captured "show monitor session all" listing back into a SPAN state, so a switch that
// serves a captured listing still knows which roles exist when it is configured.
#include <algorithm>
#include <array>
#include <cctype>

#include "simswitch/command_words.h"
#include "simswitch/device_data.h"
#include "simswitch/ios_text.h"
#include "simswitch/span_lists.h"

namespace simswitch {
namespace {

// Which list the direction lines below a heading belong to.
enum class Section { None, SourcePorts, SourceVlans, Other };

std::optional<SpanSessionType> TypeOf(const std::string& text) {
  static constexpr std::array kTypes{SpanSessionType::Local, SpanSessionType::RspanSource,
                                     SpanSessionType::RspanDestination,
                                     SpanSessionType::ErspanSource};
  for (const auto type : kTypes) {
    if (text == SpanSessionTypeText(type)) {
      return type;
    }
  }
  return std::nullopt;
}

void AddSources(SpanSessionState& s, Section section, const std::string& value,
                SpanDirection direction) {
  if (value == "None" || value.empty()) {
    return;
  }
  if (section == Section::SourceVlans) {
    if (const auto vlans = ParseVlanList(value)) {
      for (int v : *vlans) {
        s.sourceVlans[v] = direction;
      }
    }
    return;
  }
  if (section == Section::SourcePorts) {
    for (const auto& name : ExpandInterfaces(value)) {
      s.sourceInterfaces[name] = direction;
    }
  }
}

// A number field; 0 for "None" or anything else that is no number.
int NumberOf(const std::string& value) {
  return static_cast<int>(std::max(0L, ParseNumber(value)));
}

}  // namespace

SpanState SpanFromMonitorText(const std::string& text) {
  SpanState span;
  int current = 0;  // 0: outside a session block that can be read
  Section section = Section::None;
  for (const std::string& raw : SplitLines(text)) {
    const std::string line = TrimBlanks(raw);
    const auto colon = line.find(':');
    if (colon == std::string::npos) {
      if (line.starts_with("Session ")) {
        const std::string number = TrimBlanks(line.substr(8));
        const bool digits = !number.empty() && number.size() < 4 &&
                            number.find_first_not_of("0123456789") == std::string::npos;
        current =
            digits && std::stoi(number) >= 1 && std::stoi(number) <= 66 ? std::stoi(number) : 0;
        section = Section::None;
      }
      continue;
    }
    if (current == 0) {
      continue;
    }
    const std::string label = TrimBlanks(line.substr(0, colon));
    const std::string value = TrimBlanks(line.substr(colon + 1));
    SpanSessionState& s = span[current];
    if (label == "Type") {
      if (const auto type = TypeOf(value)) {
        s.type = *type;
      } else {
        span.erase(current);
        current = 0;
      }
    } else if (label == "Source Ports") {
      section = Section::SourcePorts;
    } else if (label == "Source VLANs") {
      section = Section::SourceVlans;
    } else if (label == "Source Subinterfaces" || label == "Source EFPs") {
      section = Section::Other;
    } else if (label == "RX Only") {
      AddSources(s, section, value, SpanDirection::Rx);
    } else if (label == "TX Only") {
      AddSources(s, section, value, SpanDirection::Tx);
    } else if (label == "Both") {
      AddSources(s, section, value, SpanDirection::Both);
    } else if (label == "Destination Ports") {
      if (value != "None") {
        s.destinations = ExpandInterfaces(value);
        std::sort(s.destinations.begin(), s.destinations.end());
      }
      section = Section::None;
    } else if (label == "Encapsulation") {
      s.replicate = value.starts_with("Replicate");
    } else if (label == "Filter VLANs") {
      if (const auto vlans = ParseVlanList(value)) {
        s.filterVlans = *vlans;
      }
    } else if (label == "Dest RSPAN VLAN" || label == "Source RSPAN VLAN") {
      s.remoteVlan = std::max(s.remoteVlan, NumberOf(value));
    } else if (label == "Destination IP Address") {
      s.erspan.destinationIp = value;
    } else if (label == "Destination ERSPAN ID") {
      s.erspan.erspanId = NumberOf(value);
    } else if (label == "Origin IP Address") {
      s.erspan.originIp = value;
    } else if (label == "MTU") {
      s.erspan.mtu = NumberOf(value);
    } else if (label == "Description") {
      s.description = value;
    } else if (label != "Ingress") {
      section = Section::None;
    }
  }
  std::erase_if(span, [](const auto& entry) { return entry.second.Empty(); });
  return span;
}

}  // namespace simswitch
