// The terminal line: turns typed bytes into whole lines (or single keys while output is paused),
// with echo and simple editing, as an IOS vty does.
#pragma once

#include <optional>
#include <string>

namespace simswitch {

struct TypedInput {
  enum class Kind { Line, Key };
  Kind kind = Kind::Line;
  std::string text;  // the line without its end, or the one key
};

class LineDiscipline {
 public:
  // Feeds one typed byte. CR, CR LF, CR NUL and LF each end a line once. Printable bytes are
  // added to the line and echoed when `echo`; backspace and DEL remove the last one. A line end
  // always echoes CR LF (also at password prompts, which echo nothing else). With `keyMode`, any
  // byte is returned at once as a key and nothing is echoed.
  std::optional<TypedInput> Feed(char c, bool echo, bool keyMode, std::string& echoOut);

 private:
  std::string line_;
  bool afterCr_ = false;
};

}  // namespace simswitch
