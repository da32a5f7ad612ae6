#include "switch/reply_scanner.h"

#include <algorithm>

#include "support/byte_search.h"
#include "support/text_helpers.h"
#include "switch/prompt.h"
#include "switch/switch_messages.h"

namespace {

constexpr std::string_view kPageMarker = "--More--";
// The marker's line holds little more than the marker and blanks.
constexpr size_t kLongestMarkerLine = 32;
// A reply this long is a long listing, which then makes room for this much at once.
constexpr size_t kLongReply = 64 * 1024;
constexpr size_t kLongReplyRoom = 1024 * 1024;

// The next CR, LF or "#" from position from on; npos when none.
size_t NextMark(std::string_view text, size_t from) {
  return FindFirstByteOf<'#', '\r', '\n'>(text, from);
}

}  // namespace

TReplyScanner::TReplyScanner(std::string host) : host_(std::move(host)) {}

TReplyScanner::Step TReplyScanner::Feed(std::string_view block) {
  if (end_ != std::string::npos) {
    return Step::Ended;
  }
  // A long listing grows in large steps: few copies of what came before, and memory the
  // allocator keeps for the next long listing.
  if (text_.size() >= kLongReply && text_.size() + block.size() > text_.capacity()) {
    text_.reserve(std::max(2 * text_.capacity(), kLongReplyRoom));
  }
  text_.append(block);
  if (erase_ != Erase::None && !ContinueErase()) {
    return Step::NeedMore;
  }
  return Scan();
}

// Skips the rest of the marker's blanks, then the backspaces, blanks and backspaces with which the
// switch erases "--More--" once a key was pressed, and leaves them out. False while the received
// text ends inside them.
bool TReplyScanner::ContinueErase() {
  for (; scan_ < text_.size(); ++scan_) {
    const char c = text_[scan_];
    bool erasing = false;
    switch (erase_) {
      case Erase::MarkerBlanks:
        erasing = c == ' ' || c == '\b';
        erase_ = c == '\b' ? Erase::Backspaces : erase_;
        break;
      case Erase::Backspaces:
        erasing = c == '\b' || c == ' ';
        erase_ = c == ' ' ? Erase::Blanks : erase_;
        break;
      case Erase::Blanks:
        erasing = c == ' ' || c == '\b';
        erase_ = c == '\b' ? Erase::BackspacesAgain : erase_;
        break;
      case Erase::BackspacesAgain:
        erasing = c == '\b';
        break;
      case Erase::None:
        break;
    }
    if (!erasing) {
      erase_ = Erase::None;
      cuts_.emplace_back(eraseFrom_, scan_);
      lineStart_ = scan_;
      return true;
    }
  }
  return false;
}

TReplyScanner::Step TReplyScanner::Scan() {
  for (size_t at = NextMark(text_, scan_); at != std::string::npos; at = NextMark(text_, scan_)) {
    scan_ = at + 1;
    if (text_[at] != '#') {
      if (at > lineStart_) {
        lastLineStart_ = lineStart_;
        lastLineEnd_ = at;
      }
      lineStart_ = at + 1;
      continue;
    }
    if (!IsPromptLine(std::string_view(text_).substr(lineStart_, at - lineStart_), host_)) {
      continue;
    }
    if (lastLineEnd_ > 0 && IsSyslogLine(std::string_view(text_).substr(
                                lastLineStart_, lastLineEnd_ - lastLineStart_))) {
      cuts_.emplace_back(lastLineStart_, at + 1);
      reprint_ = at;
      reprintStart_ = lineStart_;
      lastLineEnd_ = 0;
      lineStart_ = at + 1;
      continue;
    }
    end_ = at;
    promptStart_ = lineStart_;
    return Step::Ended;
  }
  scan_ = text_.size();
  if (AtPageMarker()) {
    cuts_.emplace_back(lineStart_, text_.size());
    erase_ = Erase::MarkerBlanks;
    eraseFrom_ = text_.size();
    return Step::PageWaits;
  }
  return Step::NeedMore;
}

bool TReplyScanner::AtPageMarker() const {
  if (text_.size() - lineStart_ > kLongestMarkerLine) {
    return false;
  }
  return TrimView(std::string_view(text_).substr(lineStart_)) == kPageMarker;
}

bool TReplyScanner::EndAtReprintedPrompt() {
  if (end_ != std::string::npos) {
    return true;
  }
  if (reprint_ == std::string::npos || cuts_.empty() || cuts_.back().second != reprint_ + 1 ||
      text_.find_first_not_of(" \t\r\n", reprint_ + 1) != std::string::npos) {
    return false;
  }
  cuts_.pop_back();
  end_ = reprint_;
  promptStart_ = reprintStart_;
  return true;
}

std::string TReplyScanner::Reply() const {
  std::string reply;
  if (end_ == std::string::npos) {
    return reply;
  }
  reply.reserve(end_);
  size_t from = 0;
  for (const auto& [cutFrom, cutTo] : cuts_) {
    reply.append(text_, from, cutFrom - from);
    from = cutTo;
  }
  reply.append(text_, from, end_ - from);
  return reply;
}

std::string TReplyScanner::TakeReply() && {
  if (end_ == std::string::npos || !cuts_.empty()) {
    return Reply();
  }
  std::string reply = std::move(text_);
  reply.resize(end_);
  return reply;
}

std::string TReplyScanner::Prompt() const {
  return end_ == std::string::npos ? std::string()
                                   : text_.substr(promptStart_, end_ - promptStart_);
}

std::string TReplyScanner::Rest() const {
  return end_ == std::string::npos ? std::string() : text_.substr(end_ + 1);
}
