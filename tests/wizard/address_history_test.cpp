#include "wizard/address_history.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "support/application_log.h"
#include "support/folders.h"
#include "testkit/temp_folder.h"

namespace {

using namespace std::string_literals;
using Entries = std::vector<std::string>;

TEST(ParseHistoryText, SplitsAtEveryKindOfLineEndAndKeepsLinesAsTheyStand) {
  const struct {
    std::string text;
    Entries expected;
  } cases[] = {
      {"", {}},
      {"sw1", {"sw1"}},
      {"sw1\r\n", {"sw1"}},
      {"sw1\r\nsw2\r\n", {"sw1", "sw2"}},
      {"sw1\rsw2\nsw3", {"sw1", "sw2", "sw3"}},
      {"\r\n", {""}},
      {"sw1\r\n\r\nsw2\r\n", {"sw1", "", "sw2"}},
      {"sw1\n\r", {"sw1", ""}},  // LF then CR is two line ends
      {"sw1\r\r\n", {"sw1", ""}},
      {" sw1 \r\n  \r\n", {" sw1 ", "  "}},
      {"sw1\r\nsw1\r\nSW1\r\n", {"sw1", "sw1", "SW1"}},
      {"sw1\r\nsw2\0sw3\r\n"s, {"sw1", "sw2"}},
      {"\0sw1"s, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseHistoryText(c.text), c.expected) << "text: " << testing::PrintToString(c.text);
  }
}

TEST(HistoryText, EndsEveryEntryWithCrLfAndReadsBackTheSame) {
  const Entries entries = {"sw1", "", " 10.0.0.1 ", "sw1"};
  EXPECT_EQ(HistoryText(entries), "sw1\r\n\r\n 10.0.0.1 \r\nsw1\r\n");
  EXPECT_EQ(ParseHistoryText(HistoryText(entries)), entries);
  EXPECT_EQ(HistoryText({}), "");
}

TEST(WithAddressOnTop, MovesTheAddressUpAndRemovesEveryExactCopy) {
  const struct {
    Entries entries;
    std::string address;
    Entries expected;
  } cases[] = {
      {{}, "sw1", {"sw1"}},
      {{"sw1"}, "sw1", {"sw1"}},
      {{"sw1", "sw2", "sw3"}, "sw3", {"sw3", "sw1", "sw2"}},
      {{"sw1", "sw2", "sw1", "sw3", "sw1"}, "sw1", {"sw1", "sw2", "sw3"}},
      {{"SW1", "sw2"}, "sw1", {"sw1", "SW1", "sw2"}},
      {{" sw1", "sw2"}, "sw1", {"sw1", " sw1", "sw2"}},
      {{"", "sw2", ""}, "sw1", {"sw1", "", "sw2", ""}},
      // An empty address removes nothing; the wizard's input checks never pass one.
      {{"", "sw2"}, "", {"", "", "sw2"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WithAddressOnTop(c.entries, c.address), c.expected)
        << "address [" << c.address << "] in " << testing::PrintToString(c.entries);
  }
}

class HistoryFileTest : public ::testing::Test {
 protected:
  TempProgramFolder folder_;
};

TEST_F(HistoryFileTest, LivesBesideThePortableProgramAndRoundTrips) {
  EXPECT_EQ(HistoryFileName(), folder_.Path() + "history.ini");
  EXPECT_EQ(ReadHistoryFile(HistoryFileName()), Entries{}) << "missing file is no error";
  WriteHistoryFile(HistoryFileName(), {"sw2", "", "sw1"});
  EXPECT_EQ(folder_.Read("history.ini"), "sw2\r\n\r\nsw1\r\n");
  EXPECT_EQ(ReadHistoryFile(HistoryFileName()), (Entries{"sw2", "", "sw1"}));
  EXPECT_FALSE(std::filesystem::exists(HistoryFileName() + ".tmp"));

  WriteFile(HistoryFileName(), "");
  EXPECT_EQ(ReadHistoryFile(HistoryFileName()), Entries{});
}

TEST_F(HistoryFileTest, FolderInPlaceOfTheFileIsAReadError) {
  std::filesystem::create_directory(HistoryFileName());
  EXPECT_THROW(ReadHistoryFile(HistoryFileName()), std::runtime_error);
}

TEST_F(HistoryFileTest, FailedWriteLeavesTheOldFileWhole) {
  WriteHistoryFile(HistoryFileName(), {"sw1", "sw2"});
  // Something the writer cannot open as a file where its temporary file goes.
  std::filesystem::create_directory(HistoryFileName() + ".tmp");
  EXPECT_THROW(WriteHistoryFile(HistoryFileName(), {"sw3", "sw1", "sw2"}), std::runtime_error);
  EXPECT_EQ(folder_.Read("history.ini"), "sw1\r\nsw2\r\n");
}

TEST_F(HistoryFileTest, FailedRenameLeavesNoTemporaryFileBehind) {
  // A non-empty folder cannot be replaced by a file.
  std::filesystem::create_directories(HistoryFileName() + "/inner");
  EXPECT_THROW(WriteHistoryFile(HistoryFileName(), {"sw1"}), std::runtime_error);
  EXPECT_FALSE(std::filesystem::exists(HistoryFileName() + ".tmp"));
}

// An installed copy: its folder lacks the build folder's mark, so history and logs go to the
// user's state folder under the same names, even though it may write its own folder (as root may
// write /usr/bin). The test executable's own folder is such a folder.
class InstalledCopyTest : public ::testing::Test {
 protected:
  TempStateHome folder_;
};

TEST_F(InstalledCopyTest, HistoryAndLogsGoToTheStateFolder) {
  const std::string state = folder_.StateFolder();
  EXPECT_EQ(GetDataFolder(), state);
  EXPECT_TRUE(std::filesystem::is_directory(state));
  EXPECT_EQ(HistoryFileName(), state + "history.ini");
  WriteHistoryFile(HistoryFileName(), {"sw1"});
  EXPECT_EQ(folder_.Read("state/tarvello/history.ini"), "sw1\r\n");
  EXPECT_EQ(ModeOf(HistoryFileName()), "0600");

  LogFolderName = "logs";
  PrepareLogFolder();
  EXPECT_EQ(LogFolderName, "logs");
  EXPECT_EQ(GetLogFolder(), state + "logs/");
  WriteLog("hello");
  EXPECT_NE(folder_.Read("state/tarvello/logs/application.log").find("hello\t"), std::string::npos);
}

TEST(StateFolderFor, PrefersAnAbsoluteXdgStateHomeThenHome) {
  const struct {
    const char* xdg;
    const char* home;
    std::string expected;
  } cases[] = {
      {"/x/state", "/home/u", "/x/state/tarvello/"},
      {nullptr, "/home/u", "/home/u/.local/state/tarvello/"},
      {"", "/home/u", "/home/u/.local/state/tarvello/"},
      {"relative", "/home/u", "/home/u/.local/state/tarvello/"},
      {nullptr, nullptr, ""},
      {nullptr, "relative", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StateFolderFor(c.xdg, c.home), c.expected)
        << (c.xdg ? c.xdg : "(unset)") << " / " << (c.home ? c.home : "(unset)");
  }
}

}  // namespace
