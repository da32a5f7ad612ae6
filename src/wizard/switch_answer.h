// The switch's own words under a sentence of ours, for boxes that report what it answered.
#pragma once

#include <string>

// sentence, then the switch's answer after a blank line, or that it said nothing.
inline std::string WithAnswer(const std::string& sentence, const std::string& answer) {
  return sentence + (answer.empty() ? "\n\r\n\rThe switch did not answer."
                                    : "\n\r\n\rThe switch answered:\n\r" + answer);
}
