// Look-up of entries by name: the first entry of a model's Ports whose Name equals the text
// exactly (FindPort is in model/switch_model_ops.h). Internal to the model.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <unordered_map>

#include "model/switch_model.h"
#include "model/types.h"

// FindPort in constant time, for parsing long listings. The index is built at the first look-up,
// so a listing that names no entry costs nothing: most switches mirror a handful of ports out of
// thousands. Names and Count must not change while it is used; roles may.
class PortNameIndex {
 public:
  explicit PortNameIndex(const TSwitchModel& model) : model_(model) {}
  int Find(std::string_view name) const;

 private:
  const TSwitchModel& model_;
  // Views of the entries' own names: nothing is copied.
  mutable std::unordered_map<std::string_view, int> firstPosition_;
  mutable bool built_ = false;
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

// True iff list can be read and names entries only, none of them in seen; their positions are
// added to seen.
bool AllNamedOnce(const PortNameIndex& index, const std::string& list, std::set<int>& seen);
