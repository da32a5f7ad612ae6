#include "model/port_index.h"

#include "model/switch_model_ops.h"

int FindPort(const TSwitchModel& model, const std::string& name) {
  for (int position = 1; position <= model.Ports.Count; ++position) {
    if (model.Ports.Items[position].Name == name) {
      return position;
    }
  }
  return 0;
}

int PortNameIndex::Find(std::string_view name) const {
  if (!built_) {
    firstPosition_.reserve(static_cast<size_t>(model_.Ports.Count));
    for (int position = 1; position <= model_.Ports.Count; ++position) {
      // try_emplace keeps the first of two entries that share a name.
      firstPosition_.try_emplace(model_.Ports.Items[position].Name, position);
    }
    built_ = true;
  }
  const auto found = firstPosition_.find(name);
  return found == firstPosition_.end() ? 0 : found->second;
}
