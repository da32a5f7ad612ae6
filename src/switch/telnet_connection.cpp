#include "switch/telnet_connection.h"

#include <chrono>
#include <fstream>
#include <stdexcept>

#include "model/sessionlist.h"
#include "net/telnet_client.h"
#include "support/utils.h"
#include "switch/prompt.h"

namespace {

// One reply: the text up to the next "#" that ends a prompt. A "#" inside the output would
// otherwise end the reply there and silently lose the rest of a listing (a description such as
// "Uplink #2" would drop every interface after it). Empty when a read times out or fails.
std::string ReadReply(TTelnetClient& client) {
  std::string reply = client.ReadUntil("#");
  while (client.Sock().LastError() == 0 && !EndsInPrompt(reply)) {
    reply += "#" + client.ReadUntil("#");
  }
  return client.Sock().LastError() == 0 ? reply : std::string();
}

}  // namespace

TTelnetConnectionForm::TTelnetConnectionForm(TStatusCallback onStatus)
    : onStatus_(std::move(onStatus)) {
  WriteLog("TelnetConnection to " + SwitchAddress + " created");
  try {
    TelnetClient = std::make_unique<TTelnetClient>();
  } catch (...) {
    // Without a client every operation is a no-op and Connected() stays false.
    WriteLog("TelnetConnection: critical error (unknown except)");
  }
  connected_ = false;
  OpenConnection();
}

TTelnetConnectionForm::~TTelnetConnectionForm() {
  try {
    SaveSessionLog(SessionLogFileName("session"));
  } catch (const std::exception& error) {
    WriteLog(std::string("TTelnetConnectionForm: session log not saved: ") + error.what());
  } catch (...) {
    WriteLog("TTelnetConnectionForm: session log not saved");
  }
  CloseConnection();
}

void TTelnetConnectionForm::Status(const std::string& line) {
  if (onStatus_) {
    onStatus_(line);
  }
}

std::string TTelnetConnectionForm::SendCommand(const std::string& command) {
  std::string reply;
  if (!connected_ || !TelnetClient) {
    return reply;
  }
  try {
    TelnetClient->SendText(command + "\r");
    reply = ReadReply(*TelnetClient);
    // Text that stood in the buffer before the command (the answer to "terminal length 0",
    // unsolicited messages ending in a prompt) does not hold the echo; skip up to two pieces.
    for (int extraRead = 0; extraRead < 2 && reply.find(command) == std::string::npos;
         ++extraRead) {
      reply = ReadReply(*TelnetClient);
    }
  } catch (...) {
    reply.clear();
    WriteLog("TTelnetConnectionForm.SendCommand: critical error (unknown except)");
  }
  return reply;
}

bool TTelnetConnectionForm::GetPortsList() {
  const std::string interfaceStatus = SendCommand("show interface status");
  const std::string vlanList = SendCommand("show vlan brief  | inc active");
  return ParsePorts(interfaceStatus, vlanList);
}

bool TTelnetConnectionForm::GetSPANSessionsList() {
  return ParseSPANSessions(SendCommand("show monitor session all"));
}

bool TTelnetConnectionForm::RunScript(const std::vector<std::string>& lines) {
  try {
    if (SendCommand("configure terminal").empty()) {
      return false;
    }
    // A line without an answer stops the script; the lines after it were never sent, so the
    // run must not count as a success even when "end" is answered.
    bool everyLineAnswered = true;
    for (const std::string& line : lines) {
      if (SendCommand(line).empty()) {
        everyLineAnswered = false;
        break;
      }
    }
    const bool endAnswered = !SendCommand("end").empty();
    return endAnswered && everyLineAnswered;
  } catch (...) {
    WriteLog("TTelnetConnectionForm.RunScript critical error (unknown except)");
    return false;
  }
}

void TTelnetConnectionForm::SaveSessionLog(const std::string& fileName) {
  if (!TelnetClient) {
    return;
  }
  std::ofstream file(fileName, std::ios::binary | std::ios::app);
  if (!file) {
    throw std::runtime_error("Cannot open session log file " + fileName);
  }
  const std::string& log = TelnetClient->SessionLog();
  file.write(log.data(), static_cast<std::streamsize>(log.size()));
  file.write("\r\n", 2);
  file.close();
  if (file.fail()) {
    throw std::runtime_error("Cannot write session log file " + fileName);
  }
}

void TTelnetConnectionForm::CloseConnection() {
  try {
    if (TelnetClient) {
      TelnetClient->CloseSession();
    }
  } catch (...) {
    WriteLog("TTelnetConnectionForm.CloseConnection: critical error (unknown except)");
  }
  connected_ = false;
}

std::string SessionLogFileName(const std::string& kind) {
  return GetLogFolder() + kind + FileTimeStamp(std::chrono::system_clock::now()) + ".log";
}
