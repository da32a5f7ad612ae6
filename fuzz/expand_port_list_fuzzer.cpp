// ExpandPortList on arbitrary text: its own error or a list of names, never a crash, and a
// failure appends nothing.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "model/sessionlist.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  SilenceApplicationLog();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string list(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> names{"kept"};
  try {
    ExpandPortList(list, names);
  } catch (const std::runtime_error&) {
    if (names.size() != 1) {
      FuzzFail("a failed expansion appended names");
    }
  }
  return 0;
}
