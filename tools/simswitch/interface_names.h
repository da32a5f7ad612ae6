// Interface names as IOS accepts them in commands ("gi0/1", "GigabitEthernet0/1",
// "Gig 0/1") and as it prints them in listings ("Gi0/1").
#pragma once

#include <optional>
#include <string>

namespace simswitch {

// The short form for a type word and its numbers: ShortInterfaceName("GigabitEthernet", "0/1")
// gives "Gi0/1". The type word may be any unambiguous case-insensitive prefix of a long type name,
// or the short form itself. nullopt when the type is unknown or ambiguous, or the numbers are not
// digits separated by single slashes.
std::optional<std::string> ShortInterfaceName(const std::string& type, const std::string& numbers);

// Splits "Gi0/1" into "Gi0/" and 1: the text up to the last slash and the number after it.
// nullopt when the name does not end in digits after a slash.
struct NamePrefixNumber {
  std::string prefix;
  int number = 0;
};
std::optional<NamePrefixNumber> SplitLastNumber(const std::string& name);

}  // namespace simswitch
