// The socket against peers that stall, flood or never answer: every wait is bounded, memory is
// capped, and the blocking-wait hook keeps running meanwhile.
#include <gtest/gtest.h>

#include <string>

#include "net/loopback_peer.h"
#include "net/tcp_socket.h"
#include "net/wait_hook.h"
#include "support/unanswered_port.h"

using nettest::LoopbackPeer;
using nettest::PeerConnection;

namespace {

constexpr int kNeverMs = 10000;  // a time-out that only a hang reaches

// Counts the hook's calls while it lives, and runs onCall (if any) on each of them.
class CountingHook {
 public:
  explicit CountingHook(std::function<void(int)> onCall = {}) : onCall_(std::move(onCall)) {
    previous_ = SetBlockingWaitHook([this] {
      ++calls_;
      if (onCall_) {
        onCall_(calls_);
      }
    });
  }
  ~CountingHook() { SetBlockingWaitHook(previous_); }
  CountingHook(const CountingHook&) = delete;
  CountingHook& operator=(const CountingHook&) = delete;
  int Calls() const { return calls_; }

 private:
  std::function<void(int)> onCall_;
  TBlockingWaitHook previous_;
  int calls_ = 0;
};

TEST(BlockingWaitHook, RunsAgainAndAgainDuringALongRead) {
  LoopbackPeer peer([](PeerConnection& c) {
    if (c.WaitSignal()) {
      c.Send("done#");
    }
  });
  TTcpSocket socket;
  socket.ConnectTo("127.0.0.1", peer.Port());
  ASSERT_EQ(socket.LastError(), 0);
  // The reply comes only after the hook has run ten times, so a read that blocked without
  // calling it would hang until kNeverMs and fail.
  CountingHook hook([&peer](int calls) {
    if (calls == 10) {
      peer.Signal();
    }
  });
  EXPECT_EQ(socket.ReadUpTo(kNeverMs, "#"), "done");
  EXPECT_EQ(socket.LastError(), 0) << socket.LastErrorText();
  EXPECT_GE(hook.Calls(), 10);
}

TEST(HostilePeer, ConnectToAnAddressThatNeverAnswersTimesOut) {
  UnansweredPort port;
  port.Fill();
  CountingHook hook;
  TTcpSocket socket;
  socket.ConnectTimeout = 300;
  socket.ConnectTo("127.0.0.1", port.Port());
  EXPECT_EQ(socket.LastError(), 10060);
  EXPECT_EQ(socket.LastErrorText(), "Connection timed out");
  EXPECT_FALSE(socket.HasHandle());
  EXPECT_GE(hook.Calls(), 1);
}

TEST(HostilePeer, SendToAPeerThatStopsReadingTimesOut) {
  UnansweredPort port;
  TTcpSocket socket;
  socket.ConnectTo("127.0.0.1", port.Port());
  ASSERT_EQ(socket.LastError(), 0) << socket.LastErrorText();
  socket.NonblockSendTimeout = 300;
  CountingHook hook;
  // Far more than the kernel buffers of both ends hold.
  const std::string flood(64 << 20, 'x');
  const int sent = socket.WriteText(flood);
  EXPECT_EQ(socket.LastError(), 10060);
  EXPECT_GT(sent, 0);
  EXPECT_LT(sent, static_cast<int>(flood.size()));
  EXPECT_GE(hook.Calls(), 1);
}

TEST(HostilePeer, ReadWithoutTerminatorStopsAtTheCap) {
  LoopbackPeer peer([](PeerConnection& c) {
    const std::string block(1 << 20, ' ');
    while (!c.Stopping()) {
      c.Send(block);
    }
  });
  TTcpSocket socket;
  socket.ConnectTo("127.0.0.1", peer.Port());
  ASSERT_EQ(socket.LastError(), 0);
  EXPECT_EQ(socket.ReadUpTo(kNeverMs, "#"), "");
  EXPECT_EQ(socket.LastError(), 10055);
  EXPECT_GT(socket.InputBuffer().size(), kMaxTerminatedRead);
  // One platform read past the cap at most.
  EXPECT_LE(socket.InputBuffer().size(), kMaxTerminatedRead + 65536);
  socket.Abort();
}

TEST(HostilePeer, CloseEndsWhileThePeerKeepsSending) {
  LoopbackPeer peer([](PeerConnection& c) {
    c.Send("ready#");
    const std::string block(64 << 10, 'y');
    while (!c.Stopping()) {
      c.Send(block);
    }
  });
  std::size_t drained = 0;
  TTcpSocket socket;
  socket.OnReadFilter = [&drained](TSocketBase&, std::string& block) { drained += block.size(); };
  socket.ConnectTo("127.0.0.1", peer.Port());
  ASSERT_EQ(socket.ReadUpTo(kNeverMs, "#"), "ready");
  // Without a bound this drain would never end: the peer writes as fast as it is read.
  socket.Close();
  EXPECT_FALSE(socket.HasHandle());
  EXPECT_TRUE(socket.InputBuffer().empty());
  EXPECT_GT(drained, std::string("ready#").size());
}

}  // namespace
