// The misbehaviours a simulated switch can show on demand, for testing how clients cope.
#pragma once

#include <cstddef>
#include <string>

namespace simswitch {

// Misbehaviours on demand. Command triggers match a received line (as typed, CR/LF removed)
// that starts with the given text; an empty text disables the trigger. Every received line is
// matched, login lines included, and only the first match fires (per server, not per connection).
// Over SSH and on a stream all apply but noUsernamePrompt and splitNegotiation (there is no
// login prompt and no negotiation); passwordAnswerDelayMs delays the SSH login's answer, and
// dropAfterBytes counts the bytes of the session's text.
struct Faults {
  // After the login password is accepted, send nothing more (no prompt); keep reading.
  bool silentAfterLogin = false;
  // On this command, send nothing more (not even its echo); keep reading.
  std::string silentAtCommand{};
  // On this command, close the connection without sending anything of its answer.
  std::string dropAtCommand{};
  // Close the connection once this many bytes (negotiation included) were sent; 0 = off.
  std::size_t dropAfterBytes = 0;
  // Send every byte on its own, then pause this many ms; 0 = off.
  int dripMs = 0;
  // A line that asks only for a password: "Password:" at once, no "Username:".
  bool noUsernamePrompt = false;
  // Every enable password is wrong: "Password:" three times, then "% Bad secrets".
  bool refuseEnable = false;
  // In the answer to this command, a line "! ### marker ###" right after the echo.
  std::string hashInOutputOf{};
  // Before the echo of this command, `stalePieces` unsolicited log lines, each followed by the
  // current prompt (so each holds a "#" or ">").
  std::string staleBeforeCommand{};
  int stalePieces = 1;
  // Send the opening negotiation one byte per TCP segment, a few ms apart.
  bool splitNegotiation = false;
  // Answer the login password only after this many ms, as a switch that asks a TACACS+ or
  // RADIUS server does; 0 = at once.
  int passwordAnswerDelayMs = 0;
  // Refuse this command: its echo, a caret line and "% Invalid input detected at '^' marker.",
  // then the prompt. Nothing of the command is run.
  std::string refuseCommand{};
  // In the answer to this command, a console message and the re-printed prompt after the first
  // half of the output lines, as a port that changes state makes IOS print.
  std::string syslogInsideOf{};
  // In the answer to this command, every line end is CR NUL (telnet's bare carriage return) and
  // a NUL byte stands inside every third line.
  std::string nulBytesInOutputOf{};
  // Answer "terminal length 0" with "% Authorization failed." and keep paging, as some AAA
  // command authorisation setups do.
  bool refuseTerminalLength = false;
  // On this command, its echo and then output one byte every 50 ms for as long as the
  // connection lasts, never the prompt; nothing of the command is run and nothing more is read.
  std::string trickleAtCommand{};
  // Answer each "show" command only this many ms after its echo, as a real switch takes its time
  // to gather a listing; 0 = at once.
  int showDelayMs = 0;
  // "copy running-config startup-config": print "[OK]" only this many ms after "Building
  // configuration...", as a switch with a large configuration does; 0 = at once.
  int saveDelayMs = 0;
  // Not empty: the save fails with this line (e.g. "%Error opening nvram:/startup-config (No
  // such device)") and the prompt, and nothing is saved.
  std::string saveError{};
  // The save asks "Overwrite the previous NVRAM configuration?[confirm]" before it saves, as
  // IOS does when the startup configuration was written by another release.
  bool saveAsksToOverwrite = false;
};

}  // namespace simswitch
