#include "switch/reply_scanner.h"

#include <gtest/gtest.h>

#include "switch/login_answer.h"
#include "switch/prompt.h"

namespace {

struct Outcome {
  bool ended = false;
  int pages = 0;  // times the scanner asked for the next page
  std::string reply;
  std::string rest;
};

// Feeds text in blocks of blockSize bytes (0: all at once), as the socket might deliver it. A
// paging switch sends nothing after "--More-- " until it gets a key, so a block ends there.
Outcome Scan(const std::string& text, const std::string& host, size_t blockSize) {
  TReplyScanner scanner(host);
  Outcome outcome;
  const std::string marker = "--More-- ";
  size_t at = 0;
  while (at < text.size() && !outcome.ended) {
    const size_t pageEnd = text.find(marker, at);
    const size_t arrivalEnd = pageEnd == std::string::npos ? text.size() : pageEnd + marker.size();
    size_t length = blockSize == 0 ? arrivalEnd - at : std::min(blockSize, arrivalEnd - at);
    switch (scanner.Feed(std::string_view(text).substr(at, length))) {
      case TReplyScanner::Step::PageWaits:
        ++outcome.pages;
        break;
      case TReplyScanner::Step::Ended:
        outcome.ended = true;
        break;
      case TReplyScanner::Step::NeedMore:
        break;
    }
    at += length;
  }
  outcome.reply = scanner.Reply();
  outcome.rest = scanner.Rest();
  return outcome;
}

const std::string kErase = "\b\b\b\b\b\b\b\b\b\b          \b\b\b\b\b\b\b\b\b\b";

TEST(ReplyScanner, EndsAtThePromptAndLeavesOutWhatIsNotTheReply) {
  const struct {
    const char* name;
    std::string host;
    std::string text;
    bool ended;
    int pages;
    std::string reply;
    std::string rest;
  } cases[] = {
      {"plain reply", "Switch", "show vlan\r\n1 default active\r\nSwitch#", true, 0,
       "show vlan\r\n1 default active\r\nSwitch", ""},
      {"what follows the prompt stays", "Switch", "end\r\nSwitch#\r\nSwitch#", true, 0,
       "end\r\nSwitch", "\r\nSwitch#"},
      {"configuration mode prompt", "Switch", "monitor x\r\nSwitch(config)#", true, 0,
       "monitor x\r\nSwitch(config)", ""},
      {"configuration mode of a long name", "BLDG4-FLOOR2-IDF-ACCESS-SW01",
       "configure terminal\r\nEnter configuration commands\r\nBLDG4-FLOOR2-IDF-ACC(config)#", true,
       0, "configure terminal\r\nEnter configuration commands\r\nBLDG4-FLOOR2-IDF-ACC(config)", ""},
      {"hash inside output", "Switch",
       "show run\r\n! ### marker ###\r\nGi0/1 Uplink #2\r\n#\r\nSwitch#", true, 0,
       "show run\r\n! ### marker ###\r\nGi0/1 Uplink #2\r\n#\r\nSwitch", ""},
      {"another host's name is output", "Switch",
       "show x\r\nCore#\r\nSwitch2#\r\nSwitch(#\r\nSwitch#", true, 0,
       "show x\r\nCore#\r\nSwitch2#\r\nSwitch(#\r\nSwitch", ""},
      {"no host learned: any blank-free line", "", "show x\r\na b#\r\nlab-sw#", true, 0,
       "show x\r\na b#\r\nlab-sw", ""},
      {"console message and prompt inside", "Switch",
       "show vlan\r\n1 default active\r\n\r\n*Mar  1 00:12:35.012: %LINK-3-UPDOWN: Interface "
       "Gi0/5, changed state to up\r\nSwitch#10 USERS active\r\nSwitch#",
       true, 0, "show vlan\r\n1 default active\r\n\r\n10 USERS active\r\nSwitch", ""},
      {"console message before the echo", "Switch",
       "\r\n%LINEPROTO-5-UPDOWN: Line protocol on Interface Fa0/5, changed state to up\r\n"
       "Switch#show x\r\nout\r\nSwitch#",
       true, 0, "\r\nshow x\r\nout\r\nSwitch", ""},
      {"a refusal before a prompt ends the reply", "Switch",
       "show x\r\n% Invalid input detected at '^' marker.\r\nSwitch#", true, 0,
       "show x\r\n% Invalid input detected at '^' marker.\r\nSwitch", ""},
      {"paged output", "Switch",
       "show x\r\nline 1\r\n --More-- " + kErase + "line 2\r\n --More-- " + kErase +
           "line 3\r\nSwitch#",
       true, 2, "show x\r\nline 1\r\nline 2\r\nline 3\r\nSwitch", ""},
      {"last page holds only the prompt", "Switch",
       "show x\r\nline 1\r\n --More-- " + kErase + "Switch#", true, 1, "show x\r\nline 1\r\nSwitch",
       ""},
      {"no prompt yet", "Switch", "show x\r\nline 1\r\nSwitc", false, 0, "", ""},
  };
  for (const auto& c : cases) {
    for (size_t blockSize : {size_t{0}, size_t{1}, size_t{7}}) {
      SCOPED_TRACE(std::string(c.name) + ", blocks of " + std::to_string(blockSize));
      const Outcome outcome = Scan(c.text, c.host, blockSize);
      EXPECT_EQ(outcome.ended, c.ended);
      EXPECT_EQ(outcome.pages, c.pages);
      EXPECT_EQ(outcome.reply, c.reply);
      if (blockSize == 0) {
        EXPECT_EQ(outcome.rest, c.rest);
      }
    }
  }
}

TEST(ReplyScanner, AReprintedPromptEndsTheReplyWhenNothingFollows) {
  TReplyScanner scanner("Switch");
  const std::string text =
      "show x\r\nout\r\nSwitch#\r\n%SYS-5-CONFIG_I: Configured from console\r\nSwitch#";
  // The first prompt ends this reply; the message after it is the next read's stale text.
  ASSERT_EQ(scanner.Feed(text), TReplyScanner::Step::Ended);
  EXPECT_EQ(scanner.Reply(), "show x\r\nout\r\nSwitch");

  TReplyScanner stale("Switch");
  ASSERT_EQ(stale.Feed(scanner.Rest()), TReplyScanner::Step::NeedMore);
  EXPECT_TRUE(stale.EndAtReprintedPrompt());
  EXPECT_EQ(stale.Reply(), "\r\n%SYS-5-CONFIG_I: Configured from console\r\nSwitch");

  TReplyScanner unfinished("Switch");
  ASSERT_EQ(unfinished.Feed("show x\r\nout"), TReplyScanner::Step::NeedMore);
  EXPECT_FALSE(unfinished.EndAtReprintedPrompt());
  EXPECT_EQ(unfinished.Received(), "show x\r\nout");
}

TEST(Prompt, LearnsTheHostAndKnowsItsPrompts) {
  EXPECT_EQ(PromptHost("terminal length 0\r\nSwitch"), "Switch");
  EXPECT_EQ(PromptHost(" lab-sw-01.core"), "lab-sw-01.core");
  EXPECT_EQ(PromptHost("terminal length 0\r\n"), "");
  EXPECT_EQ(PromptHost(std::string(200, 'x')), "");
  const struct {
    std::string line;
    std::string host;
    bool prompt;
  } cases[] = {
      {"Switch", "Switch", true},
      {"Switch(config)", "Switch", true},
      {"Switch(config-if)", "Switch", true},
      {"Switch()", "Switch", false},
      {"Switch2", "Switch", false},
      {"Switch(config", "Switch", false},
      {"Switch(a b)", "Switch", false},
      {"BLDG4-FLOOR2-IDF-ACC(config)", "BLDG4-FLOOR2-IDF-ACCESS-SW01", true},
      {"BLDG4-FLOOR2-IDF-AC(config-mon-local)", "BLDG4-FLOOR2-IDF-ACCESS-SW01", true},
      {"BLDG4-FLOOR2-IDF-ACC", "BLDG4-FLOOR2-IDF-ACCESS-SW01", false},
      {"BLDG4-FLOOR3(config)", "BLDG4-FLOOR2-IDF-ACCESS-SW01", false},
      {"(config)", "Switch", false},
      {"", "Switch", false},
      {"anything", "", true},
      {"a b", "", false},
      {std::string(129, 'a'), "", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsPromptLine(c.line, c.host), c.prompt) << c.line << " / host " << c.host;
  }
}

TEST(LoginAnswer, TellsPromptsFromRefusals) {
  const struct {
    std::string text;
    TLoginAnswer answer;
    std::string reason;
    std::string afterPrompt;  // the text after the prompt's mark
  } cases[] = {
      {"\r\nSwitch#", TLoginAnswer::Privileged, "", ""},
      {"\r\nSwitch>", TLoginAnswer::UserMode, "", ""},
      {" \r\n#####\r\nWelcome > all\r\nSwitch# ", TLoginAnswer::Privileged, "", " "},
      {"\r\n% Login invalid\r\n\r\nUsername: ", TLoginAnswer::Refused, "% Login invalid", ""},
      {"\r\n% Authentication failed\r\n", TLoginAnswer::Refused, "% Authentication failed", ""},
      {"\r\nUsername: ", TLoginAnswer::Refused, "Username:", ""},
      {"\r\nPassword: ", TLoginAnswer::Refused, "Password:", ""},
      // An exec banner after a good login refuses nothing.
      {"\r\n%%%%%%%%\r\nPassword: change it every 90 days\r\nSwitch>", TLoginAnswer::UserMode, "",
       ""},
      // An error line counts once it has ended; a prompt does not need a line end.
      {"\r\n% Login inv", TLoginAnswer::Incomplete, "", ""},
      {"\r\n", TLoginAnswer::Incomplete, "", ""},
      {"#", TLoginAnswer::Incomplete, "", ""},
  };
  for (const auto& c : cases) {
    const TLoginAnswerReading reading = ReadLoginAnswer(c.text);
    EXPECT_EQ(reading.answer, c.answer) << c.text;
    EXPECT_EQ(reading.reason, c.reason) << c.text;
    if (c.answer == TLoginAnswer::Privileged || c.answer == TLoginAnswer::UserMode) {
      EXPECT_EQ(c.text.substr(reading.promptEnd), c.afterPrompt) << c.text;
    }
  }
}

}  // namespace
