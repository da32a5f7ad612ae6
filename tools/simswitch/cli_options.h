// The demo binary's command line: options into simswitch::Options, and the --help text.
#pragma once

#include <string>
#include <vector>

#include "simswitch/options.h"

namespace simswitch {

struct CommandLine {
  Options options;
  bool help = false;
  bool showLines = false;  // print every line clients send (passwords masked)
  bool stdio = false;      // one session on standard input and output instead of listening
  std::string error;       // not empty when the command line cannot be used
};

constexpr std::uint16_t kDemoPort = 2323;
constexpr std::uint16_t kDemoSshPort = 2222;

// Reads the arguments after the program name. Files named by --*-file are read here.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string HelpText();

}  // namespace simswitch
