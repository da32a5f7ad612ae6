// What a switch tells of its neighbours and its trunks: enough to tell whether an RSPAN VLAN
// can travel from one switch to the other.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "model/listing_words.h"
#include "model/switch_model_ops.h"
#include "support/application_log.h"
#include "support/text_helpers.h"

namespace {

// CDP writes an interface's type in three letters and a blank; "show interface status" in its
// own short form.
struct TypeName {
  std::string_view cdp;
  std::string_view status;
};
constexpr TypeName kTypeNames[] = {
    {"Fas", "Fa"}, {"Gig", "Gi"}, {"Ten", "Te"}, {"Twe", "Twe"}, {"Two", "Tw"}, {"Fiv", "Fi"},
    {"For", "Fo"}, {"Hun", "Hu"}, {"Eth", "Et"}, {"App", "Ap"},  {"Por", "Po"},
};

// The heading's columns, where each field of a data line starts.
struct CdpColumns {
  size_t localInterface = 0;
  size_t holdtime = 0;
  size_t platform = 0;
  size_t portId = 0;
};

bool FindColumns(std::string_view heading, CdpColumns& columns) {
  columns.localInterface = heading.find("Local Intrfce");
  columns.holdtime = heading.find("Holdtme");
  columns.platform = heading.find("Platform");
  columns.portId = heading.find("Port ID");
  return heading.starts_with("Device ID") && columns.localInterface != std::string_view::npos &&
         columns.holdtime != std::string_view::npos && columns.platform != std::string_view::npos &&
         columns.portId != std::string_view::npos;
}

// The text of line between two columns, trimmed; empty past its end.
std::string_view Field(std::string_view line, size_t from, size_t to) {
  return from >= line.size() ? std::string_view() : TrimView(line.substr(from, to - from));
}

// The heading of a block of "show interfaces trunk" and the list it gives.
enum class TrunkBlock { None, Mode, Allowed, AllowedActive, Forwarding };

TrunkBlock BlockOf(std::string_view line) {
  if (!line.starts_with("Port ")) {
    return TrunkBlock::None;
  }
  if (line.find("Native vlan") != std::string_view::npos) {
    return TrunkBlock::Mode;
  }
  if (line.find("allowed and active") != std::string_view::npos) {
    return TrunkBlock::AllowedActive;
  }
  if (line.find("allowed on trunk") != std::string_view::npos) {
    return TrunkBlock::Allowed;
  }
  if (line.find("forwarding state") != std::string_view::npos) {
    return TrunkBlock::Forwarding;
  }
  return TrunkBlock::None;
}

std::string* ListOf(TTrunk& trunk, TrunkBlock block) {
  switch (block) {
    case TrunkBlock::Allowed:
      return &trunk.Allowed;
    case TrunkBlock::AllowedActive:
      return &trunk.AllowedActive;
    case TrunkBlock::Forwarding:
      return &trunk.Forwarding;
    case TrunkBlock::Mode:
    case TrunkBlock::None:
      break;
  }
  return nullptr;
}

}  // namespace

std::string ShortInterfaceName(std::string_view cdpName) {
  cdpName = TrimView(cdpName);
  const size_t blank = cdpName.find(' ');
  if (blank == std::string_view::npos) {
    return std::string(cdpName);
  }
  const std::string_view type = cdpName.substr(0, blank);
  const std::string_view number = TrimView(cdpName.substr(blank));
  for (const TypeName& name : kTypeNames) {
    if (type == name.cdp) {
      return std::string(name.status) + std::string(number);
    }
  }
  return std::string(type) + std::string(number);
}

std::vector<TCdpNeighbour> ParseCdpNeighbours(const std::string& text) {
  const std::vector<std::string_view> lines = SplitLineViews(text);
  // 1. The heading gives the columns.
  CdpColumns columns;
  auto line = lines.begin();
  while (line != lines.end() && !FindColumns(*line, columns)) {
    ++line;
  }
  if (line == lines.end()) {
    LogAndRaise("Cannot parse CDP neighbours [" + std::string(TrimView(text).substr(0, 80)) + "]");
  }
  // 2. One neighbour per data line; a long device ID stands alone on the line before.
  std::vector<TCdpNeighbour> neighbours;
  std::string deviceId;
  for (++line; line != lines.end(); ++line) {
    const std::string_view row = *line;
    if (TrimView(row).empty() || TrimView(row).starts_with("Total cdp entries")) {
      continue;
    }
    // A data line always has a hold time; a line without one is a device ID too long for its
    // column (it may run on into the next), whose fields follow on the next line.
    if (Field(row, columns.holdtime, columns.platform).empty()) {
      deviceId.assign(TrimView(row));
      continue;
    }
    const std::string_view first = Field(row, 0, columns.localInterface);
    const std::string_view local = Field(row, columns.localInterface, columns.holdtime);
    if (!first.empty()) {
      deviceId.assign(first);
    }
    neighbours.push_back({deviceId, ShortInterfaceName(local),
                          std::string(Field(row, columns.platform, columns.portId)),
                          ShortInterfaceName(Field(row, columns.portId, std::string_view::npos))});
    deviceId.clear();
  }
  return neighbours;
}

std::vector<TTrunk> ParseInterfacesTrunk(const std::string& text) {
  std::vector<TTrunk> trunks;
  TrunkBlock block = TrunkBlock::None;
  TTrunk* last = nullptr;
  for (const std::string_view raw : SplitLineViews(text)) {
    const std::string_view line = TrimView(raw);
    if (line.empty()) {
      continue;
    }
    if (const TrunkBlock heading = BlockOf(line); heading != TrunkBlock::None) {
      block = heading;
      last = nullptr;
      continue;
    }
    std::string_view rest = line;
    std::string_view port;
    // A list line that goes on from the one before starts with a VLAN, not a port's name.
    const bool continued = !raw.empty() && IsBlank(raw.front()) && last != nullptr;
    if (!continued && !SplitFirstWord(rest, port)) {
      port = rest;  // a port without anything after it
      rest = {};
    }
    if (block == TrunkBlock::Mode && !continued) {
      trunks.push_back({std::string(port), {}, {}, {}});
      continue;
    }
    if (!continued) {
      last = nullptr;
      for (TTrunk& trunk : trunks) {
        if (trunk.Interface == port) {
          last = &trunk;
        }
      }
    }
    if (std::string* list = last == nullptr ? nullptr : ListOf(*last, block)) {
      *list += (list->empty() || rest.empty() ? "" : ",") + std::string(rest);
    }
  }
  return trunks;
}

bool VlanListHolds(std::string_view list, int vlan) {
  while (!list.empty()) {
    const size_t comma = list.find(',');
    const std::string_view item = TrimView(list.substr(0, comma));
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    const size_t hyphen = item.find('-');
    int first = 0;
    int last = 0;
    if (hyphen == std::string_view::npos ? ParseDecimal(item, first) && (last = first, true)
                                         : ParseDecimal(item.substr(0, hyphen), first) &&
                                               ParseDecimal(item.substr(hyphen + 1), last)) {
      if (vlan >= first && vlan <= last) {
        return true;
      }
    }
  }
  return false;
}

const TCdpNeighbour* NeighbourNamed(const TNeighbourFacts& facts, std::string_view hostName) {
  const std::string host = LowerCase(hostName);
  for (const TCdpNeighbour& neighbour : facts.Neighbours) {
    const std::string_view id = neighbour.DeviceId;
    if (!host.empty() && LowerCase(id.substr(0, id.find('.'))) == host) {
      return &neighbour;
    }
  }
  return nullptr;
}
