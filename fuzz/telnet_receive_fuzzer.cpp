// The telnet receive step fed arbitrary bytes in arbitrary block splits, compared with a small
// reading of the negotiation table that sees the whole input at once. The split points come
// from the end of the input, so raw captured text works as a seed.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "net/telnet_negotiation.h"

namespace {

constexpr char kTermType[] = "TARVELLO";

struct Reading {
  std::string Text;
  std::string Answers;  // all answers, one after the other
};

std::string Triple(int verb, int option) {
  return {static_cast<char>(255), static_cast<char>(verb), static_cast<char>(option)};
}

// The table, read straight: text bytes (NUL dropped), IAC IAC, the four requests, and
// subnegotiations up to IAC SE (IAC IAC inside is data, IAC and anything else drops it).
Reading Reference(const std::string& in) {
  Reading out;
  const auto at = [&in](std::size_t i) { return static_cast<std::uint8_t>(in[i]); };
  std::size_t i = 0;
  while (i < in.size()) {
    if (at(i) != 255) {
      if (at(i) != 0) {
        out.Text += in[i];
      }
      ++i;
      continue;
    }
    if (i + 1 >= in.size()) {
      break;
    }
    const std::uint8_t command = at(i + 1);
    if (command == 255) {
      out.Text += in[i + 1];
      i += 2;
    } else if (command >= 251) {
      if (i + 2 >= in.size()) {
        break;
      }
      const std::uint8_t option = at(i + 2);
      switch (command) {
        case 251:  // WILL: only suppress-go-ahead is welcome
          out.Answers += Triple(option == 3 ? 253 : 254, option);
          break;
        case 252:  // WONT
          out.Answers += Triple(254, option);
          break;
        case 253:  // DO: only terminal type
          out.Answers += Triple(option == 24 ? 251 : 252, option);
          break;
        default:  // DONT
          out.Answers += Triple(252, option);
          break;
      }
      i += 3;
    } else if (command == 250) {
      if (i + 2 >= in.size()) {
        break;
      }
      const std::uint8_t code = at(i + 2);
      std::string data;
      std::size_t j = i + 3;
      bool open = true;
      while (open && j < in.size()) {
        if (at(j) != 255) {
          data += in[j];
          ++j;
        } else if (j + 1 >= in.size()) {
          j = in.size();
        } else if (at(j + 1) == 255) {
          data += in[j];
          j += 2;
        } else {
          if (at(j + 1) == 240) {
            out.Answers += std::string{static_cast<char>(255), static_cast<char>(250),
                                       static_cast<char>(code)};
            if (code == 24 && !data.empty() && static_cast<std::uint8_t>(data[0]) == 1) {
              out.Answers += '\0';
              out.Answers += kTermType;
            }
            out.Answers += std::string{static_cast<char>(255), static_cast<char>(240)};
          }
          j += 2;
          open = false;
        }
      }
      i = j;
    } else {
      i += 2;  // a command that carries nothing for a client
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const int splits = provider.ConsumeIntegralInRange<int>(0, 15);
  std::vector<std::size_t> cuts;
  for (int k = 0; k < splits; ++k) {
    cuts.push_back(provider.ConsumeIntegral<std::uint16_t>());
  }
  const std::string input = provider.ConsumeRemainingBytesAsString();

  TTelnetParserState state;
  Reading stepped;
  std::size_t start = 0;
  cuts.push_back(input.size());
  for (std::size_t cut : cuts) {
    cut = std::min(std::max(cut, start), input.size());
    const TReceivedStep step =
        ProcessReceived(state, std::string_view(input).substr(start, cut - start), kTermType);
    stepped.Text += step.Text;
    for (const std::string& answer : step.Answers) {
      stepped.Answers += answer;
    }
    if (state.SubOptionData.size() > kMaxSubOptionData) {
      FuzzFail("subnegotiation data past its cap");
    }
    start = cut;
  }
  const Reading expected = Reference(input);
  if (stepped.Text != expected.Text) {
    FuzzFail("text differs from the table's reading");
  }
  if (stepped.Answers != expected.Answers) {
    FuzzFail("answers differ from the table's reading");
  }
  return 0;
}
