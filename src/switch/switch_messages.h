// Reading what an IOS switch says about a command: its refusals and its console messages.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// True iff line (leading blanks allowed) is an unsolicited console message: "%FAC-n-MNEMONIC:"
// at its start, or after a time stamp or sequence number ending in ": ", as in
// "*Mar  1 00:12:34.567: %LINK-3-UPDOWN: Interface Gi0/5, changed state to up".
bool IsSyslogLine(std::string_view line);

// True iff line, trimmed, begins with "%" and is not a console message: the way IOS refuses a
// command ("% Invalid input detected at '^' marker.", "% Incomplete command.").
bool IsRefusalLine(std::string_view line);

// The refusal lines of a reply, trimmed, in order; empty when the switch refused nothing.
std::vector<std::string> RefusalLines(std::string_view reply);

// True iff the text ends in a line without a line end that holds more than blanks: the switch
// printed something and waits, as after a question.
bool EndsInOpenLine(std::string_view text);
