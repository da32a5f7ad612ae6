// Telling the switch's prompt from a "#" that is part of the output.
#pragma once

#include <string>
#include <string_view>

// True iff text, the switch's output up to a "#", ends in a prompt: its last line (after the
// last CR or LF) is not empty and holds no blank or control character, as "Switch" or
// "Switch(config)" do. A "#" inside output ("! ### note", a description "Uplink #2") follows
// text with blanks in its line, or stands at the start of a line.
bool EndsInPrompt(const std::string& text);

// True iff line, the text from the start of a line up to a "#" or ">", is a prompt of the switch
// called host: host itself or host followed by a mode in brackets ("Switch(config-if)"). With an
// empty host (none learned) any text of at most 128 characters without blanks or control
// characters counts. Only the line's length and its last characters are looked at when it is
// not a prompt, so a line full of "#" costs no more than its length.
bool IsPromptLine(std::string_view line, std::string_view host);

// The host name of the prompt that ends text (the output up to a "#" or ">"): the text after the
// last blank or control character, when it is a prompt line; empty otherwise.
std::string PromptHost(std::string_view text);
