#include "model/port_index.h"

#include "model/global_vars.h"

int FindPort(const std::string& name) {
  for (int position = 1; position <= Ports.Count; ++position) {
    if (Ports.Items[position].Name == name) {
      return position;
    }
  }
  return 0;
}

PortNameIndex::PortNameIndex() {
  firstPosition_.reserve(static_cast<size_t>(Ports.Count));
  for (int position = 1; position <= Ports.Count; ++position) {
    // try_emplace keeps the first of two entries that share a name.
    firstPosition_.try_emplace(Ports.Items[position].Name, position);
  }
}

int PortNameIndex::Find(std::string_view name) const {
  auto found = firstPosition_.find(name);
  return found == firstPosition_.end() ? 0 : found->second;
}
