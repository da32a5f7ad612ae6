// The socket against peers that stall, flood or never answer: every wait is bounded, memory is
// capped, and the blocking-wait hook keeps running meanwhile.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "net/ssh_shell.h"
#include "net/tcp_socket.h"
#include "support/pause.h"
#include "support/wait_hook.h"
#include "testkit/byte_strings.h"
#include "testkit/loopback_peer.h"
#include "testkit/loopback_ports.h"

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

// A stop from the hook ends the wait at once as interrupted and drops the connection; every
// later operation fails at once until the waits resume.
TEST(BlockingWaitHook, AStopEndsTheWaitAndTheConnection) {
  LoopbackPeer peer([](PeerConnection& c) { c.WaitSignal(); });
  TTcpSocket socket;
  socket.ConnectTo("127.0.0.1", peer.Port());
  ASSERT_EQ(socket.LastError(), 0);
  {
    CountingHook hook([](int calls) {
      if (calls == 3) {
        StopBlockingWaits();
      }
    });
    EXPECT_EQ(socket.ReadUpTo(kNeverMs, "#"), "");
    EXPECT_EQ(socket.LastError(), 10004);
    EXPECT_EQ(socket.LastErrorText(), "Interrupted system call");
    EXPECT_FALSE(socket.HasHandle());
    EXPECT_EQ(hook.Calls(), 3);
    EXPECT_EQ(socket.WriteText("show vlan\r"), 0);
    socket.ConnectTo("127.0.0.1", peer.Port());
    EXPECT_EQ(socket.LastError(), 10004);
  }
  ResumeBlockingWaits();
  peer.Signal();
}

// A second switch loads on a worker thread: its waits must never run the window thread's hook
// (only that thread may pump the window), yet a stop the person gives there ends them too.
TEST(BlockingWaitHook, AWorkerThreadsWaitRunsNoHookButEndsAtAStop) {
  LoopbackPeer peer([](PeerConnection& c) { c.WaitSignal(); });
  TTcpSocket socket;
  socket.ConnectTo("127.0.0.1", peer.Port());
  ASSERT_EQ(socket.LastError(), 0);
  bool workerRanHook = false;
  int workerError = 0;
  {
    const std::thread::id window = std::this_thread::get_id();
    CountingHook hook([&](int) { workerRanHook |= std::this_thread::get_id() != window; });
    std::thread worker([&] {
      socket.ReadUpTo(kNeverMs, "#");
      workerError = socket.LastError();
    });
    Pause(100);  // the window thread's own wait keeps running its hook meanwhile
    StopBlockingWaits();
    worker.join();
    EXPECT_GE(hook.Calls(), 1);
  }
  ResumeBlockingWaits();
  EXPECT_FALSE(workerRanHook);
  EXPECT_EQ(workerError, 10004);
  peer.Signal();
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

// The SSH shell against servers that are no SSH switch: each ends within its bound, as a plain
// failure (so no retry with older algorithms), with the hook running meanwhile.
TEST(HostilePeer, SshConnectEndsWithinItsBoundAgainstServersThatAreNoSshServer) {
  const struct {
    const char* name;
    std::function<void(PeerConnection&)> script;  // empty: a port that never answers
    int error;
  } cases[] = {
      {"no answer to the connect", {}, 10060},
      {"connected, no banner", [](PeerConnection& c) { c.Pause(kNeverMs); }, 10060},
      {"a telnet server",
       [](PeerConnection& c) {
         c.Send(Bytes({255, 253, 24}) + "Username: ");
         c.Pause(kNeverMs);
       },
       10060},
      {"closes at once", [](PeerConnection& c) { c.Close(); }, 10057},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    UnansweredPort silent;
    silent.Fill();
    std::unique_ptr<LoopbackPeer> peer;
    if (c.script) {
      peer = std::make_unique<LoopbackPeer>(c.script);
    }
    CountingHook hook;
    TSshShell shell;
    shell.TargetPort = peer ? peer->Port() : silent.Port();
    shell.ConnectTimeout = 300;
    shell.SshFolder = "/nonexistent";  // no user configuration can change the target

    EXPECT_EQ(shell.Connect(), TSshConnectResult::Failed) << shell.LastErrorText();
    EXPECT_EQ(shell.LastError(), c.error) << shell.LastErrorText();
    EXPECT_GE(hook.Calls(), c.error == 10060 ? 5 : 0);
    EXPECT_FALSE(shell.Authenticate("never-sent"));
    EXPECT_EQ(shell.ReadChunk(10), "");
  }
}

}  // namespace
