// Saving the running configuration to startup-config: the command, the switch's question about
// the destination, and the wait for "[OK]" and the prompt.
#include <chrono>
#include <string_view>

#include "net/socket_errors.h"
#include "net/text_transport.h"
#include "support/application_log.h"
#include "support/text_helpers.h"
#include "switch/reply_scanner.h"
#include "switch/switch_messages.h"
#include "switch/telnet_connection.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kSaveCommand[] = "copy running-config startup-config";
constexpr std::string_view kDestinationQuestion = "Destination filename [startup-config]?";
// Writing a large configuration keeps a switch silent for seconds between its lines.
constexpr auto kLongestSaveSilence = std::chrono::seconds(30);
// Stale pieces ending in a prompt that may stand before the command's echo.
constexpr int kStalePieces = 2;

// The switch's words: the trimmed lines after the echo of the command, without empty lines and
// without the prompt the text ends with, one per line.
std::string Words(std::string_view text) {
  std::string words;
  const size_t echo = text.find(kSaveCommand);
  if (echo != std::string_view::npos) {
    text.remove_prefix(echo + sizeof kSaveCommand - 1);
  }
  for (const std::string_view line : SplitLineViews(text)) {
    const std::string_view trimmed = TrimView(line);
    if (!trimmed.empty()) {
      words += (words.empty() ? "" : "\n") + std::string(trimmed);
    }
  }
  return words;
}

// True iff the text ends in a line without a line end that holds more than blanks: the switch
// printed something and waits, as after a question.
bool EndsInOpenLine(std::string_view text) {
  const size_t lineStart = text.find_last_of("\r\n");
  return !TrimView(text.substr(lineStart == std::string_view::npos ? 0 : lineStart + 1)).empty();
}

// An ended reply without the prompt that ends it.
std::string ReplyBeforePrompt(const TReplyScanner& scanner) {
  std::string reply = scanner.Reply();
  reply.resize(reply.size() - scanner.Prompt().size());
  return reply;
}

// Reads up to the next prompt and drops it; true iff it came.
bool SkipToPrompt(TTextTransport& client, const std::string& host) {
  TReplyScanner scanner(host);
  for (;;) {
    const std::string block = client.ReadChunk(client.Timeout);
    if (client.LastError() != 0) {
      return false;
    }
    if (scanner.Feed(block) == TReplyScanner::Step::Ended) {
      client.InputBuffer() = scanner.Rest();
      return true;
    }
  }
}

}  // namespace

TSaveResult TTelnetConnectionForm::SaveRunningConfig() {
  TSaveResult result;
  if (!connected_ || !transport_) {
    return result;
  }
  try {
    if (configMode_) {
      SendCommand("end");
    }
    TTextTransport& client = *transport_;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kSaveLimitMs);
    client.SendText(std::string(kSaveCommand) + "\r");

    // 1. Up to the destination question; a prompt first means the switch refused the command.
    TReplyScanner scanner(host_);
    std::string received;
    bool asked = false;
    for (int stale = 0; !asked;) {
      const std::string block = client.ReadChunk(client.Timeout);
      if (client.LastError() != 0 || Clock::now() > deadline) {
        result.Answer = Words(scanner.Received());
        return result;
      }
      if (scanner.Feed(block) == TReplyScanner::Step::Ended) {
        if (scanner.Reply().find(kSaveCommand) != std::string::npos || ++stale > kStalePieces) {
          result.Answer = Words(ReplyBeforePrompt(scanner));
          client.InputBuffer() = scanner.Rest();
          return result;
        }
        // Text from before the command, such as a console message with its prompt.
        const std::string rest = scanner.Rest();
        scanner = TReplyScanner(host_);
        scanner.Feed(rest);
      }
      asked = scanner.Received().find(kDestinationQuestion) != std::string::npos;
    }
    received = scanner.Received();

    // 2. The default destination, then "[OK]" and the prompt, however long the switch works on
    // it; an open line followed by silence is a question Tarvello does not answer.
    client.SendText("\r");
    scanner = TReplyScanner(host_);
    auto lastData = Clock::now();
    for (;;) {
      const std::string block = client.ReadChunk(client.Timeout);
      const auto now = Clock::now();
      if (client.LastError() != 0) {
        const bool silence = client.LastError() == wsa::kTimedOut;
        const bool asking = EndsInOpenLine(scanner.Received());
        if (!silence || asking || now - lastData > kLongestSaveSilence || now > deadline) {
          result.Answer = Words(received + scanner.Received());
          // Ctrl-C declines a question IOS asks, so that the next command is not taken for its
          // answer.
          if (silence && asking) {
            client.SendText("\x03");
            SkipToPrompt(client, host_);
          }
          return result;
        }
        continue;
      }
      lastData = now;
      if (scanner.Feed(block) == TReplyScanner::Step::Ended) {
        const std::string reply = ReplyBeforePrompt(scanner);
        client.InputBuffer() = scanner.Rest();
        result.Answer = Words(received + reply);
        result.Saved = reply.find("[OK]") != std::string::npos && RefusalLines(reply).empty();
        return result;
      }
      if (now > deadline) {
        result.Answer = Words(received + scanner.Received());
        return result;
      }
    }
  } catch (...) {
    WriteLog("TTelnetConnectionForm.SaveRunningConfig: critical error (unknown except)");
    result.Saved = false;
    return result;
  }
}
