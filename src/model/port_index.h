// Look-up of entries by name: the first entry of Ports whose Name equals the text exactly.
// Internal to the model.
#pragma once

#include <string>
#include <unordered_map>

// Position of the first entry named name, scanning 1..Ports.Count; 0 when there is none.
int FindPort(const std::string& name);

// The same look-up in constant time, for parsing long listings. Names are fixed when it is
// made; roles may change afterwards, names and Count must not.
class PortNameIndex {
 public:
  PortNameIndex();
  int Find(const std::string& name) const;

 private:
  std::unordered_map<std::string, int> firstPosition_;
};

// AddPortsToSession with a prepared index.
void AddPortsToSession(const PortNameIndex& index, const std::string& list, int session,
                       const std::string& role);
