// Look-up of entries by name: the first entry of Ports whose Name equals the text exactly.
// Internal to the model.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "model/types.h"

// Position of the first entry named name, scanning 1..Ports.Count; 0 when there is none.
int FindPort(const std::string& name);

// The same look-up in constant time, for parsing long listings. Names are fixed when it is
// made; roles may change afterwards, names and Count must not.
class PortNameIndex {
 public:
  PortNameIndex();
  int Find(std::string_view name) const;

 private:
  // Looked up by view, so that a name need not be copied into a string first.
  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
  };
  std::unordered_map<std::string, int, NameHash, std::equal_to<>> firstPosition_;
};

// AddPortsToSession with a prepared index.
void AddPortsToSession(const PortNameIndex& index, const std::string& list, int session,
                       const std::string& role);

// Gives the entries named in list the role in a session that is only shown, without marking
// them changed. Nothing fails the load there: a name that is no entry, or a list that cannot be
// read, is noted among the session's unknown members; an entry listed twice keeps its first
// role, unless the second is "Destination".
void ShowPortsInSession(const PortNameIndex& index, const std::string& list, TSPANSession& session,
                        const std::string& role);
