// Look-up of entries by name: the first entry of a model's Ports whose Name equals the text
// exactly (FindPort is in model/switch_model_ops.h). Internal to the model.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "model/switch_model.h"
#include "model/types.h"

// FindPort in constant time, for parsing long listings. Names are fixed when it is made; roles
// may change afterwards, names and Count must not.
class PortNameIndex {
 public:
  explicit PortNameIndex(const TSwitchModel& model);
  int Find(std::string_view name) const;

 private:
  // Looked up by view, so that a name need not be copied into a string first.
  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
  };
  std::unordered_map<std::string, int, NameHash, std::equal_to<>> firstPosition_;
};

// AddPortsToSession with a prepared index of model's entries.
void AddPortsToSession(TSwitchModel& model, const PortNameIndex& index, const std::string& list,
                       int session, const std::string& role);

// Gives the entries named in list the role in a session of model that is only shown, without
// marking them changed. Nothing fails the load there: a name that is no entry, or a list that
// cannot be read, is noted among the session's unknown members; an entry listed twice keeps its
// first role, unless the second is "Destination".
void ShowPortsInSession(TSwitchModel& model, const PortNameIndex& index, const std::string& list,
                        TSPANSession& session, const std::string& role);
