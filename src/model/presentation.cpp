#include <string>
#include <vector>

#include "model/sessionlist.h"
#include "model/vocabulary.h"

std::string SpanTypeCaption(const std::string& spanType) {
  return spanType == kRoleDestination ? "Destination (SPAN port)" : spanType;
}

std::string SpanTypeOfChoice(int choice) {
  switch (choice) {
    case 1:
      return kRoleIngress;
    case 2:
      return kRoleEgress;
    case 3:
      return kRoleBoth;
    case 4:
      return kRoleDestination;
    default:
      return kRoleNone;
  }
}

int EncapsulationIndex(const std::string& encapsulation) {
  if (encapsulation == "Native") {
    return 0;
  }
  if (encapsulation == "Replicate") {
    return 1;
  }
  return 0;
}

std::string SessionCaption(int session) {
  return std::to_string(session) +
         (SessionPortCount(session) < 1 ? " (Available)" : " (Configured)");
}

std::vector<std::string> SessionCaptions() {
  std::vector<std::string> captions;
  for (int session = 1; session <= SessionCount; ++session) {
    captions.push_back(SessionCaption(session));
  }
  return captions;
}

std::array<std::string, 3> PortsGridHeader() {
  return {"  Interface", "  Description", "  Configure interface as..."};
}

std::array<std::string, 3> PortsGridRow(int entry, int session) {
  RequireValidSession(session);
  RequireValidEntry(entry);
  const TPort& port = Ports.Items[entry];
  std::string name =
      port.Kind == kKindInterface ? "  " + port.Name : "  " + port.Kind + " " + port.Name;
  return {name, port.Description, SpanTypeCaption(port.SpanTypes[session].SpanType)};
}

std::vector<std::array<std::string, 3>> PortsGridRows(int session) {
  RequireValidSession(session);
  std::vector<std::array<std::string, 3>> rows;
  rows.reserve(static_cast<size_t>(Ports.Count));
  for (int entry = 1; entry <= Ports.Count; ++entry) {
    rows.push_back(PortsGridRow(entry, session));
  }
  return rows;
}

int PortsGridColumnWidth(int gridWidth) {
  return gridWidth / 3 - 10;
}

std::string GridDescriptionText(const std::string& description) {
  // Counted in characters, not bytes, so a UTF-8 name is never cut inside a character.
  constexpr int kShown = 18;
  int characters = 0;
  size_t cut = description.size();
  for (size_t at = 0; at < description.size(); ++at) {
    if ((static_cast<unsigned char>(description[at]) & 0xC0) == 0x80) {
      continue;  // continuation byte
    }
    if (characters == kShown) {
      cut = at;
    }
    ++characters;
  }
  return characters >= kShown ? description.substr(0, cut) + "..." : description;
}
