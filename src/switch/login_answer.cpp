#include "switch/login_answer.h"

#include "support/text_helpers.h"
#include "switch/prompt.h"
#include "switch/switch_messages.h"

TLoginAnswerReading ReadLoginAnswer(std::string_view text) {
  TLoginAnswerReading reading;
  size_t start = 0;
  while (start < text.size()) {
    const size_t lineEnd = text.find_first_of("\r\n", start);
    const bool complete = lineEnd != std::string_view::npos;
    const std::string_view line = text.substr(start, (complete ? lineEnd : text.size()) - start);
    // An exec banner may follow a good login; its lines are ended, and "%%%%" art or a line
    // about passwords is no refusal.
    const std::string_view trimmed = TrimView(line);
    if (complete && trimmed.starts_with("% ") && IsRefusalLine(trimmed)) {
      reading.answer = TLoginAnswer::Refused;
      reading.reason = std::string(trimmed);
      return reading;
    }
    if (!complete && (trimmed.ends_with("Username:") || trimmed.ends_with("Password:"))) {
      reading.answer = TLoginAnswer::Refused;
      reading.reason = std::string(trimmed);
      return reading;
    }
    // Only the first mark of a line can end a prompt; a banner line of "#####" is none.
    const size_t mark = line.find_first_of("#>");
    if (mark != std::string_view::npos && IsPromptLine(line.substr(0, mark), "")) {
      reading.answer = line[mark] == '#' ? TLoginAnswer::Privileged : TLoginAnswer::UserMode;
      reading.promptEnd = start + mark + 1;
      return reading;
    }
    if (!complete) {
      break;
    }
    start = lineEnd + 1;
  }
  return reading;
}
