#include "simswitch/line_discipline.h"

namespace simswitch {

std::optional<TypedInput> LineDiscipline::Feed(char c, bool echo, bool keyMode,
                                               std::string& echoOut) {
  const bool swallow = afterCr_ && (c == '\n' || c == '\0');
  afterCr_ = c == '\r';
  if (swallow) {
    return std::nullopt;
  }
  if (keyMode) {
    return TypedInput{TypedInput::Kind::Key, std::string(1, c)};
  }
  if (c == '\r' || c == '\n') {
    echoOut += "\r\n";
    TypedInput line{TypedInput::Kind::Line, line_};
    line_.clear();
    return line;
  }
  if (c == '\b' || c == '\x7f') {
    if (!line_.empty()) {
      line_.pop_back();
      if (echo) {
        echoOut += "\b \b";
      }
    }
    return std::nullopt;
  }
  if (static_cast<unsigned char>(c) < 32) {
    return std::nullopt;
  }
  line_ += c;
  if (echo) {
    echoOut += c;
  }
  return std::nullopt;
}

}  // namespace simswitch
