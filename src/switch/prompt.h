// Telling the switch's prompt from a "#" that is part of the output.
#pragma once

#include <string>

// True iff text, the switch's output up to a "#", ends in a prompt: its last line (after the
// last CR or LF) is not empty and holds no blank or control character, as "Switch" or
// "Switch(config)" do. A "#" inside output ("! ### note", a description "Uplink #2") follows
// text with blanks in its line, or stands at the start of a line.
bool EndsInPrompt(const std::string& text);
