#include "net/text_transport.h"

#include <algorithm>

#include "net/tcp_socket.h"

namespace {

// A session log this long holds a long listing, and then makes room for this much at once.
constexpr std::size_t kLongLog = 64 * 1024;
constexpr std::size_t kLongLogRoom = 1024 * 1024;

}  // namespace

std::string TTextTransport::ReadUntil(const std::string& terminator) {
  if (terminator.empty()) {
    return "";
  }
  std::string received;
  for (;;) {
    const std::size_t searchFrom =
        received.size() >= terminator.size() ? received.size() - terminator.size() + 1 : 0;
    const std::string chunk = ReadChunk(Timeout);
    if (LastError() != 0) {
      InputBuffer() = received;
      return "";
    }
    received += chunk;
    const std::size_t at = received.find(terminator, searchFrom);
    if (at != std::string::npos) {
      InputBuffer() = received.substr(at + terminator.size());
      received.resize(at);
      return received;
    }
    if (received.size() > kMaxTerminatedRead) {
      InputBuffer() = received;
      return "";
    }
  }
}

bool TTextTransport::WaitForText(const std::string& text) {
  return !ReadUntil(text).empty();
}

void TTextTransport::RecordInSessionLog(const std::string& text) {
  // Past the limit the note is already there, which is also how a full log is recognised.
  if (sessionLog_.size() >= SessionLogLimit) {
    return;
  }
  const std::size_t room = SessionLogLimit - sessionLog_.size();
  if (text.size() < room) {
    // A long log grows in large steps: few copies of what came before while a listing comes in.
    if (sessionLog_.size() >= kLongLog &&
        sessionLog_.size() + text.size() > sessionLog_.capacity()) {
      sessionLog_.reserve(std::max(2 * sessionLog_.capacity(), kLongLogRoom));
    }
    sessionLog_ += text;
    return;
  }
  sessionLog_.append(text, 0, room);
  sessionLog_ += kSessionLogFullNote;
}
