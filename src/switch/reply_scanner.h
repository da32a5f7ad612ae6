// Where a reply of the switch ends, found in the text as it arrives. Does no I/O: received
// blocks go in, and it tells whether the reply is complete, or whether the switch stopped at a
// "--More--" page and waits for a key.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TReplyScanner {
 public:
  enum class Step {
    NeedMore,   // the reply is not complete yet
    PageWaits,  // the switch shows "--More--"; answer with a space, then feed on
    Ended,      // the prompt that ends the reply has arrived
  };

  // host: the switch's host name as learned at login; empty when none was learned, and then any
  // line without blanks before a "#" counts as the prompt.
  explicit TReplyScanner(std::string host);

  // Appends a received block and scans the new text once. A reply ends at the "#" of the
  // switch's prompt at the start of a line. A console message followed by a re-printed prompt
  // does not end it: both are left out of the reply. A "--More--" marker and the backspaces and
  // blanks that erase it are left out too.
  Step Feed(std::string_view block);
  // After a read gave up: when the last thing received was a console message and its prompt,
  // that prompt is taken as the end after all (the switch printed it after the output). True
  // iff the reply then has ended.
  bool EndAtReprintedPrompt();

  // Once ended: the reply up to, not including, the "#" of the prompt, without what was left
  // out; and the text received after that "#".
  std::string Reply() const;
  std::string Rest() const;
  // Once ended: Reply(), taken out of the scanner without a copy where it can be; the scanner is
  // spent afterwards.
  std::string TakeReply() &&;
  // Once ended: the prompt that ended it, without its "#" ("Switch", "Switch(config)").
  std::string Prompt() const;
  // Everything fed so far, as it came.
  const std::string& Received() const { return text_; }

 private:
  enum class Erase { None, MarkerBlanks, Backspaces, Blanks, BackspacesAgain };

  bool ContinueErase();
  Step Scan();
  bool AtPageMarker() const;

  std::string host_;
  std::string text_;
  std::vector<std::pair<size_t, size_t>> cuts_;  // [from, to) left out of the reply, ascending
  size_t scan_ = 0;                              // first byte not yet scanned
  size_t lineStart_ = 0;
  size_t lastLineStart_ = 0;  // the last non-empty complete line, when lastLineEnd_ > 0
  size_t lastLineEnd_ = 0;
  Erase erase_ = Erase::None;
  size_t eraseFrom_ = 0;
  size_t end_ = std::string::npos;      // the "#" that ends the reply
  size_t promptStart_ = 0;              // where the prompt that ends the reply begins
  size_t reprint_ = std::string::npos;  // the "#" of the last re-printed prompt left out
  size_t reprintStart_ = 0;             // where that prompt begins
};
