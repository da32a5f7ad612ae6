// Telling the switch's prompt from a "#" that is part of the output.
#pragma once

#include <string>
#include <string_view>

// True iff line, the text from the start of a line up to a "#" or ">", is a prompt of the switch
// called host: host itself, host followed by a mode in brackets ("Switch(config-if)"), or a
// configuration mode after a non-empty beginning of host ("BLDG4-FLOOR2-IDF-ACC(config)": IOS
// shows only the first 20 characters of a long name there). With an empty host (none learned)
// any text of at most 128 characters without blanks or control characters counts. A "#" inside
// output ("! ### note", "Uplink #2") follows text with blanks in its line, or stands at the start
// of a line. A line longer than any prompt is refused without being looked at, so a long line full
// of "#" costs time in proportion to its length only.
bool IsPromptLine(std::string_view line, std::string_view host);

// True iff line (as for IsPromptLine) ends in a mode in brackets: the switch is in a configuration
// mode, not at its exec prompt.
bool IsConfigModePrompt(std::string_view line);

// The host name of the prompt that ends text (the output up to a "#" or ">"): the text after the
// last blank or control character, when it is a prompt line; empty otherwise.
std::string PromptHost(std::string_view text);
