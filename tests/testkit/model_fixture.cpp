#include "testkit/model_fixture.h"

#include <sstream>
#include <stdexcept>

#include "support/folders.h"

std::string ActiveLinesOnly(const std::string& text) {
  std::istringstream in(text);
  std::string line;
  std::string kept;
  while (std::getline(in, line)) {
    if (line.find("active") != std::string::npos) {
      kept += line + "\n";
    }
  }
  return kept;
}

std::string RaisedBy(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "<no error>";
}

std::string StatusReply(const std::vector<std::string>& dataLines) {
  std::string text =
      "show interface status\r\n\r\n"
      "Port      Name               Status       Vlan       Duplex  Speed Type\r\n";
  for (const std::string& line : dataLines) {
    text += line + "\r\n";
  }
  return text + "Switch#";
}

std::string VlanReply(const std::vector<std::string>& lines) {
  std::string text = "show vlan brief  | inc active\r\n";
  for (const std::string& line : lines) {
    text += line + "\r\n";
  }
  return text + "Switch#";
}

std::string SmallSwitchStatus() {
  return StatusReply({
      "Gi0/1     uplink             connected    trunk      a-full a-1000 10/100/1000BaseTX",
      "Gi0/2                        notconnect   1            auto   auto 10/100/1000BaseTX",
      "Gi0/3                        notconnect   1            auto   auto 10/100/1000BaseTX",
      "Gi0/4     server             connected    10         a-full a-1000 10/100/1000BaseTX",
  });
}

std::string SmallSwitchVlans() {
  return VlanReply({
      "20   USERS                            active",
      "1    default                          active    Gi0/1, Gi0/2",
      "10   SERVERS                          active    Gi0/4",
  });
}

void LoadSmallSwitch(const std::string& monitorListing) {
  ASSERT_TRUE(ParsePorts(SmallSwitchStatus(), SmallSwitchVlans()));
  ASSERT_EQ(Ports.Count, 7);
  ASSERT_TRUE(ParseSPANSessions(monitorListing));
  MarkLoaded(DefaultSwitchModel());
}

std::string SessionBlock(int session, const std::vector<std::string>& fields) {
  std::string text = "Session " + std::to_string(session) + "\r\n---------\r\n";
  for (const std::string& field : fields) {
    text += field + "\r\n";
  }
  return text + "\r\n";
}

void ModelTest::SetUp() {
  LogFolderName = "";  // the log goes straight into the temporary folder
  ResetModel();
}

void ModelTest::TearDown() {
  ResetModel();
}

std::string ModelTest::Log() const {
  return folder_.Read("application.log");
}
