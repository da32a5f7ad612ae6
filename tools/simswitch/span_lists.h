// Interface and VLAN lists in the compact form IOS prints ("Gi0/2-3,Gi0/5", "10-12,20") and reads.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "simswitch/device_data.h"

namespace simswitch {

// Interface names sorted in the device's listing order (unknown names last, by name), with runs
// of consecutive port numbers under one prefix joined: {"Gi0/3","Gi0/2","Fa0/1"} ->
// "Fa0/1,Gi0/2-3".
std::string CompactInterfaces(std::vector<std::string> names, const DeviceData& device);

// Ascending VLAN numbers with runs joined: {10,11,12,20} -> "10-12,20".
std::string CompactVlans(std::vector<int> vlans);

// A compact list ("1,10-12,20") cut after whole items into lines of at most `width` characters,
// joined by "," within a line; an item longer than `width` stands alone. No lines for "".
std::vector<std::string> WrapCompactList(const std::string& list, std::size_t width);

// "1-5,7" or "1 - 5 , 7" -> {1,2,3,4,5,7}; nullopt on anything that is not such a list.
std::optional<std::vector<int>> ParseVlanList(const std::string& text);

// "Gi0/2-3,Gi0/5" -> {"Gi0/2","Gi0/3","Gi0/5"}: names kept as written, ranges expanded.
std::vector<std::string> ExpandInterfaces(const std::string& text);

}  // namespace simswitch
