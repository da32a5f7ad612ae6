// The session log files: where they go, what they hold, and that writing them never breaks the
// end of a session.
#include <filesystem>
#include <regex>

#include "model/global_vars.h"
#include "support/folders.h"
#include "support/log_rotation.h"
#include "testkit/session_fixture.h"
#include "testkit/temp_folder.h"

namespace {

class SessionLogTest : public SwitchSessionTest {
 protected:
  std::string AllSessionLogs() const {
    std::string text;
    for (const std::string& name : LogFiles("session")) {
      text += folder_.Read(LogFolderName + "/" + name);
    }
    return text;
  }
};

TEST_F(SessionLogTest, WrittenAtDestructionWithEverythingReceived) {
  simswitch::SimulatedSwitch sim(PrivilegedSwitchOptions());
  PointAt(sim);
  auto session = Connect();
  ASSERT_TRUE(session->Connected());
  const std::string statusReply = session->SendCommand("show interface status");
  const std::string monitorReply = session->SendCommand("show monitor session all");
  ASSERT_FALSE(monitorReply.empty());
  EXPECT_TRUE(LogFiles("session").empty()) << "written only at destruction";

  session.reset();

  const std::vector<std::string> files = LogFiles("session");
  ASSERT_EQ(files.size(), 1u);
  EXPECT_TRUE(std::regex_match(files[0], std::regex(R"(session\d{8}\.\d{6}\.\d{1,3}\.log)")))
      << files[0];
  const std::string content = folder_.Read(LogFolderName + "/" + files[0]);
  EXPECT_NE(content.find("Username:"), std::string::npos);
  EXPECT_NE(content.find("Password:"), std::string::npos);
  EXPECT_NE(content.find(statusReply + "#" + monitorReply + "#"), std::string::npos)
      << "both replies, in order, with the prompts' #";
  EXPECT_NE(content.find(simswitch::RenderInterfaceStatus(simswitch::DefaultDevice(), sim.Span())),
            std::string::npos);
  EXPECT_EQ(content.substr(content.size() - 2), "\r\n");
  EXPECT_EQ(content.find('\xff'), std::string::npos) << "telnet commands are removed";
  EXPECT_EQ(content.find(kTestPassword), std::string::npos);
}

TEST_F(SessionLogTest, TwoSessionsBothKeepTheirConversation) {
  simswitch::SimulatedSwitch sim(PrivilegedSwitchOptions());
  PointAt(sim);
  auto first = Connect();
  const std::string firstReply = first->SendCommand("show vlan brief  | inc active");
  auto second = Connect();
  const std::string secondReply = second->SendCommand("show monitor session all");
  ASSERT_FALSE(firstReply.empty());
  ASSERT_FALSE(secondReply.empty());

  second.reset();  // newest first, as at program end
  first.reset();

  // Two sessions ended in the same millisecond share one file, the second appended.
  const std::vector<std::string> files = LogFiles("session");
  EXPECT_GE(files.size(), 1u);
  EXPECT_LE(files.size(), 2u);
  const std::string all = AllSessionLogs();
  EXPECT_NE(all.find(firstReply), std::string::npos);
  EXPECT_NE(all.find(secondReply), std::string::npos);
}

// Each session logs in with the settings it was made with, whatever the program-wide ones say by
// then, and its log holds its own switch's conversation and nothing of the other one's.
TEST_F(SessionLogTest, TwoSwitchesOpenAtOnceEachWithItsOwnLog) {
  simswitch::Options accessOptions = SwitchOptions();
  accessOptions.device.hostname = "ACCESS-1";
  simswitch::Options coreOptions = Catalyst9300SwitchOptions();
  coreOptions.device.hostname = "CORE-2";
  coreOptions.userName = "core-ops";
  coreOptions.password = "Pw-core-4410";
  coreOptions.privilegedLogin = true;
  simswitch::SimulatedSwitch access(accessOptions);
  simswitch::SimulatedSwitch core(coreOptions);
  PointAt(access);
  const TConnectionSettings accessSettings = Settings();
  PointAt(core);
  UserName = coreOptions.userName;
  Password = coreOptions.password;
  const TConnectionSettings coreSettings = Settings();
  SwitchAddress = UserName = Password = EnablePassword = "";

  TTelnetConnectionForm accessSession(accessSettings);
  TTelnetConnectionForm coreSession(coreSettings);
  ASSERT_TRUE(accessSession.Connected());
  ASSERT_TRUE(coreSession.Connected());
  const std::string accessReply = accessSession.SendCommand("show vlan brief  | inc active");
  const std::string coreReply = coreSession.SendCommand("show version");
  ASSERT_FALSE(accessReply.empty());
  ASSERT_FALSE(coreReply.empty());
  accessSession.SaveSessionLog(folder_.Path() + "access.log");
  coreSession.SaveSessionLog(folder_.Path() + "core.log");

  EXPECT_EQ(access.ReceivedLines(),
            (std::vector<std::string>{kTestUser, kTestPassword, "", "enable", kTestEnablePassword,
                                      "terminal length 0", "show vlan brief  | inc active"}));
  EXPECT_EQ(core.ReceivedLines(), (std::vector<std::string>{"core-ops", "Pw-core-4410",
                                                            "terminal length 0", "show version"}));
  const std::string accessLog = folder_.Read("access.log");
  const std::string coreLog = folder_.Read("core.log");
  EXPECT_NE(accessLog.find(accessReply + "#"), std::string::npos);
  EXPECT_NE(coreLog.find(coreReply + "#"), std::string::npos);
  EXPECT_EQ(accessLog.find("CORE-2"), std::string::npos);
  EXPECT_EQ(coreLog.find("ACCESS-1"), std::string::npos);
}

TEST_F(SessionLogTest, ErrorSessionThenSessionHoldsItAll) {
  simswitch::SimulatedSwitch sim(PrivilegedSwitchOptions());
  PointAt(sim);
  auto session = Connect();
  ASSERT_FALSE(session->SendCommand("show interface status").empty());

  session->SaveSessionLog(SessionLogFileName("error_session"));
  ASSERT_FALSE(session->SendCommand("show monitor session all").empty());
  session.reset();

  const std::vector<std::string> errorFiles = LogFiles("error_session");
  ASSERT_EQ(errorFiles.size(), 1u);
  EXPECT_EQ(ModeOf(GetLogFolder() + errorFiles[0]), "0600");
  EXPECT_EQ(ModeOf(GetLogFolder() + LogFiles("session").at(0)), "0600");
  EXPECT_TRUE(
      std::regex_match(errorFiles[0], std::regex(R"(error_session\d{8}\.\d{6}\.\d{1,3}\.log)")))
      << errorFiles[0];
  std::string early = folder_.Read(LogFolderName + "/" + errorFiles[0]);
  ASSERT_GE(early.size(), 2u);
  early.resize(early.size() - 2);  // its closing CR LF
  const std::string whole = AllSessionLogs();
  EXPECT_EQ(whole.rfind(early, 0), 0u) << "the session log starts with the error_session text";
  EXPECT_GT(whole.size(), early.size() + 2);
}

TEST_F(SessionLogTest, FailedLoginStillWritesItsLog) {
  simswitch::Options options = SwitchOptions();
  options.faults.dropAfterBytes = 1;
  simswitch::SimulatedSwitch sim(options);
  PointAt(sim);

  Connect().reset();

  ASSERT_EQ(LogFiles("session").size(), 1u);
}

TEST_F(SessionLogTest, AFullFolderLosesItsOldestLogForTheNewOne) {
  const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  for (size_t i = 0; i < kKeptSessionLogs; ++i) {
    const std::string name =
        GetLogFolder() + "session20200101.000000." + std::to_string(i) + ".log";
    WriteFile(name, "old");
    std::filesystem::last_write_time(name, old + std::chrono::seconds(i));
  }
  simswitch::SimulatedSwitch sim(PrivilegedSwitchOptions());
  PointAt(sim);

  Connect().reset();

  const std::vector<std::string> files = LogFiles("session");
  EXPECT_EQ(files.size(), kKeptSessionLogs);
  EXPECT_FALSE(std::filesystem::exists(GetLogFolder() + "session20200101.000000.0.log"));
  EXPECT_NE(files.back().rfind("session2020", 0), 0u) << "the new log is kept";
}

TEST_F(SessionLogTest, UnwritableLogNeitherThrowsAtDestructionNorHidesFromCaller) {
  simswitch::SimulatedSwitch sim(PrivilegedSwitchOptions());
  PointAt(sim);
  auto session = Connect();
  ASSERT_TRUE(session->Connected());
  const std::string missingFolder = folder_.Path() + "no-such-folder/";

  EXPECT_THROW(session->SaveSessionLog(missingFolder + "x.log"), std::runtime_error);

  LogFolderName = "no-such-folder";
  EXPECT_NO_THROW(session.reset());
  EXPECT_TRUE(sim.WaitForEndedConnections(1, std::chrono::seconds(10)))
      << "the connection is closed all the same";
}

}  // namespace
