#include "simswitch/interface_names.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace simswitch {
namespace {

struct InterfaceType {
  const char* longName;
  const char* shortName;
};

constexpr std::array<InterfaceType, 7> kTypes{{
    {"Ethernet", "Eth"},
    {"FastEthernet", "Fa"},
    {"GigabitEthernet", "Gi"},
    {"TenGigabitEthernet", "Te"},
    {"TwentyFiveGigE", "Twe"},
    {"FortyGigabitEthernet", "Fo"},
    {"Port-channel", "Po"},
}};

bool EqualNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

bool IsPrefixNoCase(const std::string& prefix, const std::string& text) {
  return prefix.size() <= text.size() && EqualNoCase(prefix, text.substr(0, prefix.size()));
}

bool ValidNumbers(const std::string& numbers) {
  if (numbers.empty() || numbers.front() == '/' || numbers.back() == '/') {
    return false;
  }
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    const char c = numbers[i];
    if (c == '/') {
      if (numbers[i - 1] == '/') {
        return false;
      }
    } else if (!std::isdigit(static_cast<unsigned char>(c))) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<std::string> ShortInterfaceName(const std::string& type, const std::string& numbers) {
  if (type.empty() || !ValidNumbers(numbers)) {
    return std::nullopt;
  }
  // The short form wins outright, so "Te" is TenGigabitEthernet although "Te" is no prefix clash.
  for (const auto& t : kTypes) {
    if (EqualNoCase(type, t.shortName) || EqualNoCase(type, t.longName)) {
      return std::string(t.shortName) + numbers;
    }
  }
  const InterfaceType* found = nullptr;
  for (const auto& t : kTypes) {
    if (IsPrefixNoCase(type, t.longName)) {
      if (found != nullptr) {
        return std::nullopt;
      }
      found = &t;
    }
  }
  if (found == nullptr) {
    return std::nullopt;
  }
  return std::string(found->shortName) + numbers;
}

std::optional<NamePrefixNumber> SplitLastNumber(const std::string& name) {
  const auto slash = name.rfind('/');
  if (slash == std::string::npos || slash + 1 >= name.size() || name.size() - slash > 6) {
    return std::nullopt;
  }
  const std::string digits = name.substr(slash + 1);
  if (!std::all_of(digits.begin(), digits.end(),
                   [](unsigned char c) { return std::isdigit(c) != 0; })) {
    return std::nullopt;
  }
  return NamePrefixNumber{name.substr(0, slash + 1), std::stoi(digits)};
}

}  // namespace simswitch
