// The history reader on arbitrary file text: entries never hold a line end or a zero byte, and
// writing them out and reading them back gives the same entries.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "wizard/address_history.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> entries = ParseHistoryText(text);
  for (const std::string& entry : entries) {
    if (entry.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
      FuzzFail("an entry holds a line end or a zero byte");
    }
  }
  if (ParseHistoryText(HistoryText(entries)) != entries) {
    FuzzFail("entries change when written and read back");
  }
  return 0;
}
