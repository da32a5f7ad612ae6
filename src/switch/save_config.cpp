// Saving the running configuration to startup-config: the command, the switch's question about
// the destination, and the wait for "[OK]" and the prompt.
#include <chrono>
#include <string_view>

#include "net/socket_errors.h"
#include "support/application_log.h"
#include "support/text_helpers.h"
#include "switch/reply_scanner.h"
#include "switch/switch_messages.h"
#include "switch/telnet_connection.h"

namespace {

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

// An ended reply without the prompt that ends it.
std::string ReplyBeforePrompt(const TReplyScanner& scanner) {
  std::string reply = scanner.Reply();
  reply.resize(reply.size() - scanner.Prompt().size());
  return reply;
}

}  // namespace

TSaveResult TTelnetConnectionForm::SaveRunningConfig() {
  TSaveResult result;
  if (!connected_ || !transport_) {
    return result;
  }
  try {
    // 1. The command, from the exec prompt.
    if (configMode_) {
      SendCommand("end");
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(kSaveLimitMs);
    transport_->SendText(std::string(kSaveCommand) + "\r");

    // 2. Up to the destination question; a prompt first means the switch refused the command.
    // Text from before the command, such as a console message with its prompt, is skipped.
    const TReadLimits toQuestion{.Deadline = deadline, .StopAt = [](const TReplyScanner& scanner) {
                                   return scanner.Received().find(kDestinationQuestion) !=
                                          std::string::npos;
                                 }};
    TReplyScanner scanner(host_);
    TReadEnd end = ReadToPrompt(scanner, toQuestion);
    for (int stale = 0; end == TReadEnd::Prompt && stale < kStalePieces &&
                        scanner.Reply().find(kSaveCommand) == std::string::npos;
         ++stale) {
      scanner = TReplyScanner(host_);
      end = ReadToPrompt(scanner, toQuestion);
    }
    if (end != TReadEnd::Stopped) {
      result.Answer =
          Words(end == TReadEnd::Prompt ? ReplyBeforePrompt(scanner) : scanner.Received());
      return result;
    }
    const std::string question = scanner.Received();

    // 3. The default destination, then "[OK]" and the prompt, however long the switch works on
    // it.
    transport_->SendText("\r");
    scanner = TReplyScanner(host_);
    end = ReadToPrompt(scanner, {.Deadline = deadline, .LongestSilence = kLongestSaveSilence});
    if (end == TReadEnd::Prompt) {
      const std::string reply = ReplyBeforePrompt(scanner);
      result.Answer = Words(question + reply);
      result.Saved = reply.find("[OK]") != std::string::npos && RefusalLines(reply).empty();
      return result;
    }
    result.Answer = Words(question + scanner.Received());

    // 4. An open line followed by silence is a question Tarvello does not answer: Ctrl-C
    // declines it, so that the next command is not taken for its answer.
    if (transport_->LastError() == wsa::kTimedOut && EndsInOpenLine(scanner.Received())) {
      transport_->SendText("\x03");
      TReplyScanner declined(host_);
      ReadToPrompt(declined,
                   {.Deadline = Clock::now() + std::chrono::milliseconds(ReplyTimeLimitMs)});
    }
    return result;
  } catch (...) {
    WriteLog("TTelnetConnectionForm.SaveRunningConfig: critical error (unknown except)");
    result.Saved = false;
    return result;
  }
}
