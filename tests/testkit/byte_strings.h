// Byte strings for tests: built from numbers, and shown readably in failure messages.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// Bytes from a list of values: Bytes({255, 253, 24}).
std::string Bytes(std::initializer_list<int> values);

// Printable form of a byte string for failure messages: "ab\r\n<255><253>".
std::string Show(std::string_view bytes);

// Lines one below the other, each in brackets, for failure messages.
std::string Joined(const std::vector<std::string>& lines);
