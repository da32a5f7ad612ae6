#include "simswitch/span_lists.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

#include "simswitch/interface_names.h"
#include "simswitch/ios_text.h"

namespace simswitch {
namespace {

std::vector<std::string> SplitAt(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : text) {
    if (c == separator) {
      parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  parts.push_back(current);
  return parts;
}

std::optional<int> Number(const std::string& text) {
  const std::string t = TrimBlanks(text);
  if (t.empty() || t.size() > 6 ||
      !std::all_of(t.begin(), t.end(), [](unsigned char c) { return std::isdigit(c) != 0; })) {
    return std::nullopt;
  }
  return std::stoi(t);
}

}  // namespace

std::string CompactInterfaces(std::vector<std::string> names, const DeviceData& device) {
  std::map<std::string, std::size_t> position;
  for (std::size_t i = 0; i < device.interfaces.size(); ++i) {
    position.emplace(device.interfaces[i].name, i);
  }
  const auto rank = [&](const std::string& name) {
    const auto it = position.find(name);
    return it == position.end() ? device.interfaces.size() : it->second;
  };
  std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
    const auto ra = rank(a);
    const auto rb = rank(b);
    return ra != rb ? ra < rb : a < b;
  });
  names.erase(std::unique(names.begin(), names.end()), names.end());

  std::string out;
  std::size_t i = 0;
  while (i < names.size()) {
    std::size_t j = i;
    const auto first = SplitLastNumber(names[i]);
    while (first && j + 1 < names.size()) {
      const auto next = SplitLastNumber(names[j + 1]);
      if (!next || next->prefix != first->prefix ||
          next->number != first->number + static_cast<int>(j + 1 - i)) {
        break;
      }
      ++j;
    }
    if (!out.empty()) {
      out += ',';
    }
    out += names[i];
    if (j > i) {
      out += '-' + std::to_string(SplitLastNumber(names[j])->number);
    }
    i = j + 1;
  }
  return out;
}

std::string CompactVlans(std::vector<int> vlans) {
  std::sort(vlans.begin(), vlans.end());
  vlans.erase(std::unique(vlans.begin(), vlans.end()), vlans.end());
  std::string out;
  std::size_t i = 0;
  while (i < vlans.size()) {
    std::size_t j = i;
    while (j + 1 < vlans.size() && vlans[j + 1] == vlans[j] + 1) {
      ++j;
    }
    if (!out.empty()) {
      out += ',';
    }
    out += std::to_string(vlans[i]);
    if (j > i) {
      out += '-' + std::to_string(vlans[j]);
    }
    i = j + 1;
  }
  return out;
}

std::vector<std::string> WrapCompactList(const std::string& list, std::size_t width) {
  std::vector<std::string> lines;
  if (list.empty()) {
    return lines;
  }
  std::string line;
  for (const std::string& item : SplitAt(list, ',')) {
    if (!line.empty() && line.size() + 1 + item.size() > width) {
      lines.push_back(line);
      line.clear();
    }
    line += (line.empty() ? "" : ",") + item;
  }
  lines.push_back(line);
  return lines;
}

std::optional<std::vector<int>> ParseVlanList(const std::string& text) {
  std::set<int> result;
  for (const std::string& item : SplitAt(text, ',')) {
    const auto bounds = SplitAt(item, '-');
    if (bounds.size() > 2) {
      return std::nullopt;
    }
    const auto low = Number(bounds.front());
    const auto high = Number(bounds.back());
    if (!low || !high || *low > *high) {
      return std::nullopt;
    }
    for (int v = *low; v <= *high; ++v) {
      result.insert(v);
    }
  }
  return std::vector<int>(result.begin(), result.end());
}

std::vector<std::string> ExpandInterfaces(const std::string& text) {
  std::vector<std::string> names;
  for (const std::string& raw : SplitAt(text, ',')) {
    const std::string item = TrimBlanks(raw);
    const auto dash = item.rfind('-');
    const auto slash = item.rfind('/');
    if (dash != std::string::npos && slash != std::string::npos && dash > slash) {
      const auto start = SplitLastNumber(TrimBlanks(item.substr(0, dash)));
      const auto end = Number(item.substr(dash + 1));
      if (start && end) {
        for (int n = start->number; n <= *end; ++n) {
          names.push_back(start->prefix + std::to_string(n));
        }
        continue;
      }
    }
    if (!item.empty()) {
      names.push_back(item);
    }
  }
  return names;
}

}  // namespace simswitch
