// The telnet receive parser, byte for byte, with every way of cutting the input into blocks.
#include "net/telnet_negotiation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testkit/byte_strings.h"

namespace {

struct Case {
  const char* name;
  std::string input;
  std::string text;
  std::vector<std::string> answers;
  TNegotiationState endState = TNegotiationState::Data;
};

std::string ShownAnswers(const std::vector<std::string>& answers) {
  std::string all;
  for (const auto& a : answers) {
    all += "[" + Show(a) + "]";
  }
  return all;
}

const std::string kTermTypeIs = Bytes({255, 250, 24, 0}) + "TARVELLO" + Bytes({255, 240});

std::vector<Case> Cases() {
  using S = TNegotiationState;
  return {
      {"text, CR and LF pass unchanged", "ab\r\nz\r", "ab\r\nz\r", {}},
      {"CR NUL is a carriage return", std::string("a\r\0b\r\0\n", 7), "a\rb\r\n", {}},
      {"other NUL bytes are dropped", std::string("\0a\0\0b\0", 6), "ab", {}},
      {"NUL inside a subnegotiation is its data",
       Bytes({255, 250, 24, 0, 255, 240}),
       "",
       {Bytes({255, 250, 24, 255, 240})}},
      {"IAC IAC is one byte 255", "a" + Bytes({255, 255}) + "b", "a" + Bytes({255}) + "b", {}},
      {"DO 31 refused", Bytes({255, 253, 31}), "", {Bytes({255, 252, 31})}},
      {"WILL 1 refused", Bytes({255, 251, 1}), "", {Bytes({255, 254, 1})}},
      {"WONT 3 answered DONT", Bytes({255, 252, 3}), "", {Bytes({255, 254, 3})}},
      {"DONT 24 answered WONT", Bytes({255, 254, 24}), "", {Bytes({255, 252, 24})}},
      {"WILL 3 accepted", Bytes({255, 251, 3}), "", {Bytes({255, 253, 3})}},
      {"DO 24 accepted", Bytes({255, 253, 24}), "", {Bytes({255, 251, 24})}},
      {"DO 3 refused", Bytes({255, 253, 3}), "", {Bytes({255, 252, 3})}},
      {"WILL 24 refused", Bytes({255, 251, 24}), "", {Bytes({255, 254, 24})}},
      {"typical greeting",
       Bytes({255, 251, 1, 255, 251, 3, 255, 253, 24}) + "\r\nUsername: ",
       "\r\nUsername: ",
       {Bytes({255, 254, 1}), Bytes({255, 253, 3}), Bytes({255, 251, 24})}},
      {"repeated request answered again",
       Bytes({255, 253, 24, 255, 253, 24}),
       "",
       {Bytes({255, 251, 24}), Bytes({255, 251, 24})}},
      {"terminal type SEND", Bytes({255, 250, 24, 1, 255, 240}), "", {kTermTypeIs}},
      {"terminal type without data",
       Bytes({255, 250, 24, 255, 240}),
       "",
       {Bytes({255, 250, 24, 255, 240})}},
      {"terminal type IS from server",
       Bytes({255, 250, 24, 0, 65, 255, 240}),
       "",
       {Bytes({255, 250, 24, 255, 240})}},
      {"window size subnegotiation",
       Bytes({255, 250, 31, 0, 80, 0, 24, 255, 240}),
       "",
       {Bytes({255, 250, 31, 255, 240})}},
      {"escaped 255 inside subnegotiation",
       Bytes({255, 250, 24, 1, 255, 255, 255, 240}),
       "",
       {kTermTypeIs}},
      {"broken subnegotiation dropped", Bytes({255, 250, 24, 1, 255, 65}) + "B", "B", {}},
      {"no-operation removed", "a" + Bytes({255, 241}) + "b", "ab", {}},
      {"go-ahead removed", "a" + Bytes({255, 249}) + "b", "ab", {}},
      {"stray SE removed", "a" + Bytes({255, 240}) + "b", "ab", {}},
      {"text inside subnegotiation swallowed", Bytes({255, 250, 24}) + "xyz", "", {}, S::SubData},
      {"trailing IAC waits for more", "ab" + Bytes({255}), "ab", {}, S::Command},
      {"trailing DO waits for option", Bytes({255, 253}), "", {}, S::Do},
  };
}

// Runs the parser over the input cut at the given positions.
TReceivedStep RunInBlocks(const std::string& input, const std::vector<std::size_t>& cuts,
                          TTelnetParserState& state) {
  TReceivedStep all;
  std::size_t start = 0;
  std::vector<std::size_t> ends = cuts;
  ends.push_back(input.size());
  for (const std::size_t end : ends) {
    TReceivedStep step =
        ProcessReceived(state, std::string_view(input).substr(start, end - start), "TARVELLO");
    all.Text += step.Text;
    all.Answers.insert(all.Answers.end(), step.Answers.begin(), step.Answers.end());
    start = end;
  }
  return all;
}

void ExpectCase(const Case& c, const std::vector<std::size_t>& cuts, const std::string& how) {
  TTelnetParserState state;
  const TReceivedStep step = RunInBlocks(c.input, cuts, state);
  EXPECT_EQ(step.Text, c.text) << c.name << ", " << how << ", input " << Show(c.input);
  EXPECT_EQ(ShownAnswers(step.Answers), ShownAnswers(c.answers))
      << c.name << ", " << how << ", input " << Show(c.input);
  EXPECT_EQ(ToString(state.NegotiationState), ToString(c.endState)) << c.name << ", " << how;
}

TEST(TelnetNegotiation, WholeBlock) {
  for (const Case& c : Cases()) {
    ExpectCase(c, {}, "one block");
  }
}

TEST(TelnetNegotiation, EveryCutIntoTwoBlocks) {
  for (const Case& c : Cases()) {
    for (std::size_t cut = 0; cut <= c.input.size(); ++cut) {
      ExpectCase(c, {cut}, "cut at " + std::to_string(cut));
    }
  }
}

TEST(TelnetNegotiation, OneByteBlocks) {
  for (const Case& c : Cases()) {
    std::vector<std::size_t> cuts;
    for (std::size_t i = 1; i < c.input.size(); ++i) {
      cuts.push_back(i);
    }
    ExpectCase(c, cuts, "one byte per block");
  }
}

TEST(TelnetNegotiation, TermTypeIsTheGivenName) {
  TTelnetParserState state;
  const TReceivedStep step = ProcessReceived(state, Bytes({255, 250, 24, 1, 255, 240}), "VT100");
  EXPECT_EQ(ShownAnswers(step.Answers),
            ShownAnswers({Bytes({255, 250, 24, 0}) + "VT100" + Bytes({255, 240})}));
}

TEST(TelnetNegotiation, EndlessSubnegotiationKeepsAtMostItsCap) {
  TTelnetParserState state;
  ProcessReceived(state, Bytes({255, 250, 24, 1}), "TARVELLO");
  const std::string flood(1 << 20, 'z');
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(ProcessReceived(state, flood, "TARVELLO").Text, "");
  }
  EXPECT_EQ(state.SubOptionData.size(), kMaxSubOptionData);
  // Its start still decides the answer once it ends.
  const TReceivedStep end = ProcessReceived(state, Bytes({255, 240}) + "ok", "TARVELLO");
  EXPECT_EQ(ShownAnswers(end.Answers), ShownAnswers({kTermTypeIs}));
  EXPECT_EQ(end.Text, "ok");
}

}  // namespace
