// TTcpSocket against small servers on loopback.
#include "net/tcp_socket.h"

#include <gtest/gtest.h>
#include <sys/socket.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "testkit/byte_strings.h"
#include "testkit/loopback_peer.h"
#include "testkit/loopback_ports.h"

namespace {

constexpr int kNeverMs = 10000;  // a time-out that only a hang reaches

// A socket connected to the peer whose read filter tells the peer what has been read.
struct Connected {
  explicit Connected(LoopbackPeer& peer) : peer(peer) {
    socket.OnReadFilter = [this](TSocketBase&, std::string& block) {
      this->peer.Consumed(block.size());
      if (filter) {
        filter(block);
      }
    };
    socket.ConnectTo("127.0.0.1", peer.Port());
  }
  LoopbackPeer& peer;
  std::function<void(std::string&)> filter;
  TTcpSocket socket;
};

// Waits, bounded, until the kernel holds unread data for the socket, without an operation
// that would change LastError.
bool WaitPending(TTcpSocket& socket) {
  for (int i = 0; i < kNeverMs / 10; ++i) {
    if (socket.PendingBytes() > 0) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

TEST(TcpSocket, ConnectsToLoopbackPeer) {
  LoopbackPeer peer([](PeerConnection& c) { c.Send("hello"); });
  Connected client(peer);
  ASSERT_EQ(client.socket.LastError(), 0) << client.socket.LastErrorText();
  EXPECT_EQ(client.socket.ReadChunk(kNeverMs), "hello");
  EXPECT_EQ(peer.ClientFamily(), AF_INET);
}

struct SplitCase {
  std::vector<std::string> packets;
  std::string terminator;
  std::string expected;
  std::string leftOver;
};

TEST(TcpSocket, ReadUpToFindsTerminatorAcrossPackets) {
  const std::vector<SplitCase> cases = {
      {{"abc#"}, "#", "abc", ""},
      {{"abc", "#tail"}, "#", "abc", "tail"},
      {{"line\r", "\n#rest"}, "\r\n#", "line", "rest"},
      {{"line\r\n", "#"}, "\r\n#", "line", ""},
      {{"x", "y", "\r", "\n", "#", "z"}, "\r\n#", "xy", ""},
      {{"aa", "ab"}, "aab", "a", ""},  // the terminator starts inside an earlier partial match
      {{"\r\n#", "more"}, "\r\n#", "", ""},
      {{"one#two#"}, "#", "one", "two#"},
      {{"12345678", "9EN", "DEND"}, "END", "123456789", "END"},
  };
  for (const SplitCase& c : cases) {
    std::string sent;
    for (const auto& p : c.packets) {
      sent += p;
    }
    SCOPED_TRACE("packets joined: " + Show(sent) + " terminator: " + Show(c.terminator));
    LoopbackPeer peer([&](PeerConnection& conn) {
      for (const auto& p : c.packets) {
        conn.SendInPackets({p});
      }
    });
    Connected client(peer);
    EXPECT_EQ(client.socket.ReadUpTo(kNeverMs, c.terminator), c.expected);
    EXPECT_EQ(client.socket.LastError(), 0) << client.socket.LastErrorText();
    // Whatever followed the terminator in the packets read so far stays buffered.
    EXPECT_EQ(client.socket.InputBuffer().substr(0, c.leftOver.size()), c.leftOver);
  }
}

TEST(TcpSocket, DataAfterTerminatorIsReturnedFirstWithoutWaiting) {
  LoopbackPeer peer([](PeerConnection& c) { c.Send("first#second#third"); });
  Connected client(peer);
  EXPECT_EQ(client.socket.ReadUpTo(kNeverMs, "#"), "first");
  // The peer sends nothing more: these must come from the buffer, not from a wait.
  EXPECT_EQ(client.socket.ReadUpTo(50, "#"), "second");
  EXPECT_EQ(client.socket.ReadChunk(50), "third");
  EXPECT_EQ(client.socket.LastError(), 0);
}

TEST(TcpSocket, TimeoutKeepsWhatWasRead) {
  LoopbackPeer peer([](PeerConnection& c) {
    c.Send("partial");
    if (c.WaitSignal()) {
      c.Send(" more#after");
    }
  });
  Connected client(peer);
  EXPECT_EQ(client.socket.ReadUpTo(300, "#"), "");
  EXPECT_EQ(client.socket.LastError(), 10060);
  EXPECT_EQ(client.socket.LastErrorText(), "Connection timed out");
  EXPECT_EQ(client.socket.InputBuffer(), "partial");

  peer.Signal();
  EXPECT_EQ(client.socket.ReadUpTo(kNeverMs, "#"), "partial more");
  EXPECT_EQ(client.socket.LastError(), 0);
  EXPECT_EQ(client.socket.InputBuffer().substr(0, 1), "a");
}

TEST(TcpSocket, DripKeepsReadAliveAndSilenceEndsIt) {
  constexpr int kTimeoutMs = 1500;
  LoopbackPeer peer([](PeerConnection& c) {
    for (const char* drop : {"a", "b", "c", "d", "e", "f"}) {  // 3 s in all, twice the time-out
      c.Send(drop);
      if (!c.Pause(500)) {
        return;
      }
    }
    c.Send("#g");
    c.Pause(3 * kTimeoutMs);
  });
  Connected client(peer);
  EXPECT_EQ(client.socket.ReadUpTo(kTimeoutMs, "#"), "abcdef");
  EXPECT_EQ(client.socket.LastError(), 0) << client.socket.LastErrorText();

  EXPECT_EQ(client.socket.ReadUpTo(kTimeoutMs, "#"), "");
  EXPECT_EQ(client.socket.LastError(), 10060);
  EXPECT_EQ(client.socket.InputBuffer(), "g");
}

TEST(TcpSocket, OverallTimeoutWhenInterPacketTimeoutIsOff) {
  LoopbackPeer peer([](PeerConnection& c) {
    for (int i = 0; i < 30 && c.Pause(200); ++i) {
      c.Send("x");
    }
  });
  Connected client(peer);
  client.socket.InterPacketTimeout = false;
  EXPECT_EQ(client.socket.ReadUpTo(1000, "#"), "");
  EXPECT_EQ(client.socket.LastError(), 10060);
  EXPECT_EQ(client.socket.InputBuffer().find_first_not_of('x'), std::string::npos);
}

TEST(TcpSocket, PeerClosingMidReadEndsWith10054) {
  for (const bool reset : {false, true}) {
    SCOPED_TRACE(reset ? "reset" : "orderly close");
    LoopbackPeer peer([reset](PeerConnection& c) {
      c.WaitSignal();  // after the connect, as above
      c.SendInPackets({"half a line"});
      c.Close(reset);
    });
    Connected client(peer);
    peer.Signal();
    EXPECT_EQ(client.socket.ReadUpTo(kNeverMs, "#"), "");
    EXPECT_EQ(client.socket.LastError(), 10054);
    EXPECT_EQ(client.socket.LastErrorText(), "Connection reset by peer");
    EXPECT_EQ(client.socket.InputBuffer(), "half a line");
  }
}

TEST(TcpSocket, EmptyTerminatorLeavesBufferAlone) {
  LoopbackPeer peer([](PeerConnection& c) { c.Send("abc#def"); });
  Connected client(peer);
  ASSERT_EQ(client.socket.ReadUpTo(kNeverMs, "#"), "abc");
  EXPECT_EQ(client.socket.ReadUpTo(kNeverMs, ""), "");
  EXPECT_EQ(client.socket.LastError(), 0);
  EXPECT_EQ(client.socket.InputBuffer(), "def");
}

TEST(TcpSocket, FilterThatEmptiesAPacketGivesEmptyChunkAndReadGoesOn) {
  LoopbackPeer peer([](PeerConnection& c) { c.SendInPackets({"noise", "noise", "text#"}); });
  Connected client(peer);
  client.filter = [](std::string& block) {
    if (block == "noise") {
      block.clear();
    }
  };
  EXPECT_EQ(client.socket.ReadChunk(kNeverMs), "");
  EXPECT_EQ(client.socket.LastError(), 0) << client.socket.LastErrorText();
  EXPECT_EQ(client.socket.ReadUpTo(kNeverMs, "#"), "text");
  EXPECT_EQ(client.socket.LastError(), 0);
}

TEST(TcpSocket, FilterCannotAddBytes) {
  LoopbackPeer peer([](PeerConnection& c) { c.Send("abc"); });
  Connected client(peer);
  client.filter = [](std::string& block) { block = "XYZ-longer-than-received"; };
  EXPECT_EQ(client.socket.ReadChunk(kNeverMs), "XYZ");
}

TEST(TcpSocket, CloseDrainsOnlyAfterSuccessfulOperation) {
  struct Case {
    const char* name;
    bool lastReadFails;
    bool expectDrained;
  };
  for (const Case& c : {Case{"after success", false, true}, Case{"after failure", true, false}}) {
    SCOPED_TRACE(c.name);
    LoopbackPeer peer([](PeerConnection& conn) {
      conn.Send("ok#");
      if (conn.WaitSignal()) {
        conn.Send("late text");
      }
    });
    std::string filtered;
    Connected client(peer);
    client.filter = [&](std::string& block) { filtered += block; };
    ASSERT_EQ(client.socket.ReadUpTo(kNeverMs, "#"), "ok");
    if (c.lastReadFails) {
      EXPECT_EQ(client.socket.ReadUpTo(100, "#"), "");
      ASSERT_EQ(client.socket.LastError(), 10060);
    }
    peer.Signal();
    ASSERT_TRUE(WaitPending(client.socket));
    client.socket.Close();
    EXPECT_FALSE(client.socket.HasHandle());
    EXPECT_EQ(filtered, c.expectDrained ? "ok#late text" : "ok#");
  }
}

TEST(TcpSocket, SendsEveryByteInChunks) {
  constexpr std::size_t kSize = 1 << 20;
  LoopbackPeer peer([&](PeerConnection& c) { c.ReceiveUntilCount(kSize); });
  Connected client(peer);
  client.socket.SendMaxChunk = 1000;
  std::string data(kSize, '\0');
  for (std::size_t i = 0; i < kSize; ++i) {
    data[i] = static_cast<char>(i * 7 % 251);
  }
  EXPECT_EQ(client.socket.WriteText(data), static_cast<int>(kSize));
  EXPECT_EQ(client.socket.LastError(), 0);
  EXPECT_TRUE(peer.WaitReceived(kSize) == data);
}

TEST(TcpSocket, SendingToClosedPeerReportsErrorInsteadOfSignal) {
  for (const bool reset : {false, true}) {
    SCOPED_TRACE(reset ? "reset" : "orderly close");
    // The peer closes only once the connect has returned: a reset that beats the connect's
    // own completion check fails the connect instead.
    LoopbackPeer peer([reset](PeerConnection& c) {
      c.WaitSignal();
      c.Close(reset);
    });
    Connected client(peer);
    ASSERT_EQ(client.socket.LastError(), 0);
    peer.Signal();
    client.socket.ReadChunk(kNeverMs);  // sees the close
    ASSERT_EQ(client.socket.LastError(), 10054);
    client.socket.ClearError();
    const std::string block(65536, 'x');
    for (int i = 0; i < 50 && client.socket.LastError() == 0; ++i) {
      client.socket.WriteText(block);
    }
    // Still running: a SIGPIPE would have ended the test program here.
    EXPECT_EQ(client.socket.LastError(), 10054) << client.socket.LastErrorText();
  }
}

TEST(TcpSocket, StopFlagCutsOperationShort) {
  LoopbackPeer peer([](PeerConnection&) {});
  Connected client(peer);
  client.socket.StopFlag = true;
  EXPECT_EQ(client.socket.WriteText("abc"), 0);
  EXPECT_EQ(client.socket.LastError(), 10053);
  EXPECT_FALSE(client.socket.StopFlag);
  EXPECT_EQ(client.socket.WriteText("abc"), 3);
}

TEST(TcpSocket, EmptySendKeepsPreviousError) {
  LoopbackPeer peer([](PeerConnection&) {});
  Connected client(peer);
  client.socket.ReadChunk(50);
  ASSERT_EQ(client.socket.LastError(), 10060);
  EXPECT_EQ(client.socket.WriteText(""), 0);
  EXPECT_EQ(client.socket.LastError(), 10060);
}

TEST(TcpSocket, MaxLineLengthEndsReadAndKeepsText) {
  LoopbackPeer peer([](PeerConnection& c) { c.Send("0123456789#"); });
  Connected client(peer);
  client.socket.MaxLineLength = 5;
  EXPECT_EQ(client.socket.ReadUpTo(kNeverMs, "#"), "");
  EXPECT_EQ(client.socket.LastError(), 10055);
  EXPECT_EQ(client.socket.InputBuffer(), "0123456789#");
}

TEST(TcpSocket, RaiseExceptThrowsWithCodeAndText) {
  TTcpSocket socket;
  socket.RaiseExcept = true;
  try {
    socket.ConnectTo("bad..name.invalid", "23");
    FAIL() << "no exception";
  } catch (const ESocketError& e) {
    EXPECT_EQ(e.ErrorCode, 11001);
    EXPECT_EQ(e.ErrorMessage, "Host not found");
    EXPECT_STREQ(e.what(), "TCP/IP Socket error 11001: Host not found");
  }
}

TEST(TcpSocket, ConnectFailuresGiveWinsockCodes) {
  RefusingPort refusing;
  struct Case {
    std::string host, port;
    int code;
    const char* text;
    bool handleLeft;
  };
  const std::vector<Case> cases = {
      {"127.0.0.1", refusing.Port(), 10061, "Connection refused", true},
      // Names glibc rejects before asking any name server, so the test stays on this machine.
      {"bad..name.invalid", "23", 11001, "Host not found", false},
      {std::string(64, 'a') + ".invalid", "23", 11001, "Host not found", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.host + ":" + c.port);
    TTcpSocket socket;
    socket.ConnectTo(c.host, c.port);
    EXPECT_EQ(socket.LastError(), c.code);
    EXPECT_EQ(socket.LastErrorText(), c.text);
    EXPECT_EQ(socket.HasHandle(), c.handleLeft);
    // A socket that failed to connect fails reads at once instead of waiting or crashing.
    EXPECT_EQ(socket.ReadUpTo(kNeverMs, "#"), "");
    EXPECT_NE(socket.LastError(), 0);
  }
}

TEST(TcpSocket, ReconnectsAfterRefusedConnect) {
  RefusingPort refusing;
  LoopbackPeer peer([](PeerConnection& c) { c.Send("up"); });
  TTcpSocket socket;
  socket.ConnectTo("127.0.0.1", refusing.Port());
  ASSERT_EQ(socket.LastError(), 10061);
  socket.Close();
  socket.ConnectTo("127.0.0.1", peer.Port());
  ASSERT_EQ(socket.LastError(), 0) << socket.LastErrorText();
  EXPECT_EQ(socket.ReadChunk(kNeverMs), "up");
}

TEST(TcpSocket, IPv6LiteralConnectsOverIPv6) {
  std::unique_ptr<LoopbackPeer> peer;
  try {
    peer = std::make_unique<LoopbackPeer>([](PeerConnection& c) { c.Send("six"); }, AF_INET6);
  } catch (const std::exception&) {
    GTEST_SKIP() << "no IPv6 loopback here";
  }
  TTcpSocket socket;
  socket.ConnectTo("::1", peer->Port());
  ASSERT_EQ(socket.LastError(), 0) << socket.LastErrorText();
  EXPECT_EQ(socket.ReadChunk(kNeverMs), "six");
  EXPECT_EQ(peer->ClientFamily(), AF_INET6);
}

TEST(TcpSocket, WildcardBindWithoutHandleDoesNothing) {
  TTcpSocket socket;
  socket.BindTo("0.0.0.0", "0");
  EXPECT_FALSE(socket.HasHandle());
  EXPECT_EQ(socket.LastError(), 0);
}

}  // namespace
