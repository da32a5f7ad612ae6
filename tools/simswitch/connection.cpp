#include "simswitch/connection.h"

#include <poll.h>

#include <algorithm>
#include <utility>

namespace simswitch {
namespace {

constexpr int kSplitPauseMs = 5;
constexpr int kTrickleMs = 50;
// What the trickle fault sends, over and over: listing-like lines without a prompt.
constexpr char kTrickleLine[] =
    "Gi0/1    trickle          connected    1    a-full a-100 10/100BaseTX\r\n";

// An unsolicited console message, as a switch logs it to the terminal between commands.
constexpr char kStaleLog[] =
    "\r\n*Mar  1 00:12:34.567: %LINEPROTO-5-UPDOWN: Line protocol on Interface FastEthernet0/5, "
    "changed state to up\r\n";
constexpr char kHashMarker[] = "! ### marker ###\r\n";
// A port changing state while output is printed; IOS re-prints the prompt after it.
constexpr char kInsideLog[] =
    "\r\n*Mar  1 00:12:35.012: %LINK-3-UPDOWN: Interface GigabitEthernet0/5, changed state to "
    "up\r\n";

// The answer with a console message and prompt put in after the first half of its lines.
std::string WithLogInside(const std::string& answer, const std::string& prompt) {
  std::size_t lines = 0;
  for (std::size_t at = answer.find("\r\n"); at != std::string::npos;
       at = answer.find("\r\n", at + 2)) {
    ++lines;
  }
  std::size_t at = 0;
  for (std::size_t seen = 0; seen < (lines + 1) / 2; ++seen) {
    at = answer.find("\r\n", at) + 2;
  }
  return answer.substr(0, at) + kInsideLog + prompt + answer.substr(at);
}

// Line ends made CR NUL and a NUL byte after the first character of every third line.
std::string WithNulBytes(const std::string& answer) {
  std::string out;
  std::size_t line = 0;
  bool lineStart = true;
  for (std::size_t i = 0; i < answer.size(); ++i) {
    if (answer.compare(i, 2, "\r\n") == 0) {
      out += std::string("\r\0", 2);
      ++i;
      ++line;
      lineStart = true;
      continue;
    }
    out += answer[i];
    if (lineStart && line % 3 == 0) {
      out += '\0';
    }
    lineStart = false;
  }
  return out;
}

}  // namespace

Connection::Connection(BytePipe& pipe, int wakeFd, const Options& options, SharedState& shared,
                       IosSession::Start start)
    : pipe_(pipe),
      wakeFd_(wakeFd),
      options_(options),
      shared_(shared),
      session_(options, shared.model, start) {}

bool Connection::StopWithin(int ms) const {
  pollfd wake{wakeFd_, POLLIN, 0};
  return ::poll(&wake, 1, ms) > 0;
}

bool Connection::Send(const std::string& wire, bool splitBytes) {
  const Faults& faults = options_.faults;
  const bool oneByEach = splitBytes || faults.dripMs > 0;
  const int pauseMs = faults.dripMs > 0 ? faults.dripMs : splitBytes ? kSplitPauseMs : 0;
  std::size_t pos = 0;
  while (pos < wire.size()) {
    std::size_t n = oneByEach ? 1 : wire.size() - pos;
    if (faults.dropAfterBytes > 0) {
      if (sent_ >= faults.dropAfterBytes) {
        return false;
      }
      n = std::min(n, faults.dropAfterBytes - sent_);
    }
    const std::size_t written = pipe_.Write(std::string_view(wire).substr(pos, n));
    if (written == 0) {
      return false;
    }
    pos += written;
    sent_ += written;
    if (pauseMs > 0 && StopWithin(pauseMs)) {
      return false;
    }
  }
  return faults.dropAfterBytes == 0 || sent_ < faults.dropAfterBytes;
}

void Connection::Trickle() {
  for (std::size_t at = 0;; at = (at + 1) % (sizeof kTrickleLine - 1)) {
    if (!Send(pipe_.Frame(std::string(1, kTrickleLine[at])), false) || StopWithin(kTrickleMs)) {
      return;
    }
  }
}

bool Connection::Fires(const std::string& trigger, bool& fired, const std::string& line) const {
  if (trigger.empty() || fired || !line.starts_with(trigger)) {
    return false;
  }
  fired = true;
  return true;
}

bool Connection::HandleLine(const std::string& line, std::string& out) {
  std::lock_guard lock(shared_.mutex);
  const bool close = AnswerLine(line, out);
  // Counted before a closing connection goes, so a client never sees it closed but counted.
  CountConfigMode(!close && session_.InConfigMode());
  return close;
}

void Connection::CountConfigMode(bool inConfig) {
  if (inConfig != countedInConfig_) {
    inConfig ? ++shared_.sessionsInConfigMode : --shared_.sessionsInConfigMode;
    countedInConfig_ = inConfig;
  }
}

bool Connection::AnswerLine(const std::string& line, std::string& out) {
  shared_.receivedLines.push_back(line);
  const bool inConfig = session_.InConfigMode();
  const Faults& faults = options_.faults;
  std::string echo = std::move(pendingEcho_);
  pendingEcho_.clear();

  if (Fires(faults.dropAtCommand, shared_.dropFired, line)) {
    if (inConfig) {
      shared_.configLines.push_back(line);
    }
    return true;
  }
  if (Fires(faults.silentAtCommand, shared_.silentFired, line)) {
    session_.GoSilent();
  }
  if (session_.Silent()) {
    if (inConfig) {
      shared_.configLines.push_back(line);
    }
    return false;
  }
  if (Fires(faults.staleBeforeCommand, shared_.staleFired, line)) {
    for (int i = 0; i < faults.stalePieces; ++i) {
      out += kStaleLog + session_.Prompt();
    }
  }
  if (Fires(faults.trickleAtCommand, shared_.trickleFired, line)) {
    trickling_ = true;
    out += echo;
    return false;
  }
  if (session_.AtLoginPassword()) {
    passwordAnswerDue_ = true;
  }
  SessionReply reply;
  if (Fires(faults.refuseCommand, shared_.refuseFired, line)) {
    reply.text = "^\r\n% Invalid input detected at '^' marker.\r\n\r\n" + session_.Prompt();
  } else {
    reply = session_.OnLine(line);
  }
  if (Fires(faults.hashInOutputOf, shared_.hashFired, line)) {
    reply.text = kHashMarker + reply.text;
  }
  if (Fires(faults.syslogInsideOf, shared_.syslogFired, line)) {
    reply.text = WithLogInside(reply.text, session_.Prompt());
  }
  if (Fires(faults.nulBytesInOutputOf, shared_.nulFired, line)) {
    reply.text = WithNulBytes(reply.text);
  }
  if (faults.showDelayMs > 0 && line.starts_with("show ")) {
    reply.later = reply.text + reply.later;
    reply.text.clear();
    reply.laterMs = std::max(reply.laterMs, faults.showDelayMs);
  }
  if (!session_.Silent()) {
    out += echo + reply.text;
    later_.text += reply.later;
    later_.laterMs = std::max(later_.laterMs, reply.laterMs);
  }
  if (inConfig && session_.InConfigMode()) {
    shared_.configLines.push_back(line);
  }
  return reply.close;
}

void Connection::Serve() {
  ServeLines();
  std::lock_guard lock(shared_.mutex);
  CountConfigMode(false);
}

void Connection::ServeLines() {
  std::string greeting;
  {
    std::lock_guard lock(shared_.mutex);
    greeting = session_.Greeting();
  }
  if (!Send(pipe_.Opening(), options_.faults.splitNegotiation) ||
      !Send(pipe_.Frame(greeting), false)) {
    return;
  }
  while (true) {
    std::string typed;
    std::string answers;
    if (!pipe_.Read(typed, answers)) {
      return;
    }
    if (!answers.empty() && !Send(answers, false)) {
      return;
    }
    std::string out;
    bool close = false;
    for (char c : typed) {
      bool echo = false;
      bool keyMode = false;
      {
        std::lock_guard lock(shared_.mutex);
        echo = session_.EchoTyped();
        keyMode = session_.WaitingForKey();
      }
      const auto input = line_.Feed(c, echo, keyMode, pendingEcho_);
      if (!input) {
        continue;
      }
      if (input->kind == TypedInput::Kind::Key) {
        std::lock_guard lock(shared_.mutex);
        const SessionReply reply = session_.OnKey(input->text[0]);
        out += pendingEcho_ + reply.text;
        later_.text += reply.later;
        later_.laterMs = std::max(later_.laterMs, reply.laterMs);
        pendingEcho_.clear();
        continue;
      }
      close = HandleLine(input->text, out);
      if (close || trickling_) {
        break;
      }
    }
    {
      std::lock_guard lock(shared_.mutex);
      if (!close && !session_.Silent()) {
        out += pendingEcho_;
      }
    }
    pendingEcho_.clear();
    if (passwordAnswerDue_) {
      passwordAnswerDue_ = false;
      if (options_.faults.passwordAnswerDelayMs > 0 &&
          StopWithin(options_.faults.passwordAnswerDelayMs)) {
        return;
      }
    }
    if (!out.empty() && !Send(pipe_.Frame(out), false)) {
      return;
    }
    if (trickling_) {
      Trickle();
      return;
    }
    if (close) {
      return;
    }
    if (!later_.text.empty()) {
      const SessionReply later = std::exchange(later_, SessionReply{});
      if (StopWithin(later.laterMs) || !Send(pipe_.Frame(later.text), false)) {
        return;
      }
    }
  }
}

}  // namespace simswitch
