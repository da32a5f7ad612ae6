// TTelnetClient against loopback peers that record what the client sends.
#include "net/telnet_client.h"

#include <gtest/gtest.h>

#include <string>

#include "testkit/byte_strings.h"
#include "testkit/loopback_peer.h"

namespace {

constexpr int kNeverMs = 10000;

// A client connected to the peer, whose socket tells the peer what it has read. The telnet
// filter stays in charge of the text; this only wraps it.
struct Session {
  explicit Session(LoopbackPeer& peer, int timeoutMs = kNeverMs) {
    TReadFilter telnetFilter = client.Sock().OnReadFilter;
    client.Sock().OnReadFilter = [&peer, telnetFilter](TSocketBase& sender, std::string& block) {
      peer.Consumed(block.size());
      telnetFilter(sender, block);
    };
    client.Timeout = timeoutMs;
    client.TargetPort = peer.Port();
    opened = client.OpenSession();
  }
  TTelnetClient client;
  bool opened = false;
};

TEST(TelnetClient, AnswersGreetingAndWaitsForPrompt) {
  const std::string greeting = Bytes({255, 251, 1, 255, 251, 3, 255, 253, 24}) +
                               Bytes({255, 250, 24, 1, 255, 240}) + "\r\nUsername: ";
  LoopbackPeer peer([&](PeerConnection& c) { c.Send(greeting); });
  Session s(peer);
  ASSERT_TRUE(s.opened) << s.client.Sock().LastErrorText();
  EXPECT_TRUE(s.client.WaitForText("Username:"));
  EXPECT_EQ(s.client.Sock().InputBuffer(), " ");
  EXPECT_EQ(s.client.SessionLog(), "\r\nUsername: ");

  const std::string expected = Bytes({255, 254, 1}) + Bytes({255, 253, 3}) + Bytes({255, 251, 24}) +
                               Bytes({255, 250, 24, 0}) + "TARVELLO" + Bytes({255, 240});
  EXPECT_EQ(Show(peer.WaitReceived(expected.size())), Show(expected));
}

TEST(TelnetClient, CommandSplitAcrossPacketsIsAnswered) {
  LoopbackPeer peer([](PeerConnection& c) {
    c.SendInPackets({"a" + Bytes({255}), Bytes({253, 24}) + "b" + Bytes({255, 250, 24}),
                     Bytes({1, 255}), Bytes({240}) + "#"});
  });
  Session s(peer);
  EXPECT_EQ(s.client.ReadUntil("#"), "ab");
  const std::string expected =
      Bytes({255, 251, 24}) + Bytes({255, 250, 24, 0}) + "TARVELLO" + Bytes({255, 240});
  EXPECT_EQ(Show(peer.WaitReceived(expected.size())), Show(expected));
}

TEST(TelnetClient, WaitForTextNeedsTextBeforeIt) {
  struct Case {
    std::string pending;
    bool found;
    std::string left;
  };
  const Case cases[] = {
      {"Username:", false, ""},
      {"\r\nUsername: ", true, " "},
      {"Password:Username:", true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Show(c.pending));
    LoopbackPeer peer([&](PeerConnection& conn) { conn.Send(c.pending); });
    Session s(peer);
    EXPECT_EQ(s.client.WaitForText("Username:"), c.found);
    EXPECT_EQ(s.client.Sock().LastError(), 0);
    EXPECT_EQ(s.client.Sock().InputBuffer(), c.left);
  }
}

TEST(TelnetClient, ReadUntilPromptThenWaitsForNewText) {
  LoopbackPeer peer([](PeerConnection& c) {
    c.Send("show clock\r\n10:00:00 UTC\r\nswitch#");
    if (c.WaitSignal()) {
      c.Send("\r\nswitch#");
    }
  });
  Session s(peer, 300);
  EXPECT_EQ(s.client.ReadUntil("#"), "show clock\r\n10:00:00 UTC\r\nswitch");
  EXPECT_EQ(s.client.ReadUntil("#"), "");
  EXPECT_EQ(s.client.Sock().LastError(), 10060);
  peer.Signal();
  s.client.Timeout = kNeverMs;  // read anew by every call
  EXPECT_EQ(s.client.ReadUntil("#"), "\r\nswitch");
}

TEST(TelnetClient, SendTextDoublesIACAndAddsNothing) {
  const std::string text = "enable" + Bytes({255}) + "\r";
  const std::string wire = "enable" + Bytes({255, 255}) + "\r";
  LoopbackPeer peer([](PeerConnection&) {});
  Session s(peer);
  s.client.SendText(text);
  EXPECT_EQ(s.client.Sock().LastError(), 0);
  EXPECT_EQ(Show(peer.WaitReceived(wire.size())), Show(wire));
}

TEST(TelnetClient, NegotiationAloneKeepsWaitAliveUntilSilence) {
  constexpr int kTimeoutMs = 1500;
  constexpr int kRequests = 6;  // one every 500 ms: 3 s in all, twice the time-out
  LoopbackPeer peer([](PeerConnection& c) {
    for (int i = 0; i < kRequests && c.Pause(500); ++i) {
      c.Send(Bytes({255, 253, 31}));
    }
    c.Pause(3 * kTimeoutMs);
  });
  Session s(peer, kTimeoutMs);
  EXPECT_FALSE(s.client.WaitForText("Username:"));
  EXPECT_EQ(s.client.Sock().LastError(), 10060);
  // Every request was answered before the wait gave up: it outlived the time-out.
  std::string expected;
  for (int i = 0; i < kRequests; ++i) {
    expected += Bytes({255, 252, 31});
  }
  EXPECT_EQ(Show(peer.WaitReceived(expected.size())), Show(expected));
  EXPECT_EQ(s.client.SessionLog(), "");
}

TEST(TelnetClient, CloseSessionDrainsIntoSessionLogAndKeepsIt) {
  LoopbackPeer peer([](PeerConnection& c) {
    c.Send("login ok\r\nswitch#");
    if (c.WaitSignal()) {
      c.Send("\r\nbye");
      c.Close();
    }
  });
  Session s(peer);
  EXPECT_EQ(s.client.ReadUntil("#"), "login ok\r\nswitch");
  peer.Signal();
  for (int i = 0; i < 1000 && s.client.Sock().PendingBytes() < 5; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  s.client.CloseSession();
  EXPECT_FALSE(s.client.Sock().HasHandle());
  EXPECT_EQ(s.client.SessionLog(), "login ok\r\nswitch#\r\nbye");
}

TEST(TelnetClient, OpenSessionStartsAFreshLog) {
  LoopbackPeer first([](PeerConnection& c) { c.Send("first#"); });
  LoopbackPeer second([](PeerConnection& c) { c.Send("second#"); });
  TTelnetClient client;
  client.Timeout = kNeverMs;
  client.TargetPort = first.Port();
  ASSERT_TRUE(client.OpenSession());
  EXPECT_EQ(client.ReadUntil("#"), "first");
  client.TargetPort = second.Port();
  ASSERT_TRUE(client.OpenSession());
  EXPECT_EQ(client.ReadUntil("#"), "second");
  EXPECT_EQ(client.SessionLog(), "second#");
}

TEST(TelnetClient, AnswerThatCannotBeSentFailsTheRead) {
  // Two requests in one block; the first answer fails (the stop request cuts it short). The
  // second answer must not be sent over a failed connection nor hide the failure.
  LoopbackPeer peer([](PeerConnection& c) {
    c.Send(Bytes({255, 253, 24, 255, 253, 31}) + "text#");
  });
  Session s(peer);
  TReadFilter telnetFilter = s.client.Sock().OnReadFilter;
  s.client.Sock().OnReadFilter = [telnetFilter](TSocketBase& sender, std::string& block) {
    sender.StopFlag = true;
    telnetFilter(sender, block);
  };
  EXPECT_EQ(s.client.ReadUntil("#"), "");
  EXPECT_EQ(s.client.Sock().LastError(), 10053);
  EXPECT_EQ(s.client.Sock().InputBuffer(), "text#");
  EXPECT_EQ(s.client.SessionLog(), "text#");
  s.client.CloseSession();
  EXPECT_TRUE(peer.WaitClientClosed());
  EXPECT_EQ(Show(peer.Received()), "");
}

TEST(TelnetClient, SessionLogStopsAtItsLimitWithOneNote) {
  LoopbackPeer peer([](PeerConnection& c) {
    c.Send(std::string("0123456789#\0abcdefghij#", 23));
    c.Send("more text that is not recorded#");
  });
  Session s(peer);
  s.client.SessionLogLimit = 15;
  EXPECT_EQ(s.client.ReadUntil("#"), "0123456789");
  EXPECT_EQ(s.client.ReadUntil("#"), "abcdefghij");
  EXPECT_EQ(s.client.ReadUntil("#"), "more text that is not recorded");
  EXPECT_EQ(Show(s.client.SessionLog()),
            Show(std::string("0123456789#abcd") + kSessionLogFullNote));
}

TEST(TelnetClient, FailedConnectionFailsQuietly) {
  TTelnetClient client;
  client.Timeout = kNeverMs;
  client.TargetHost = "bad..name.invalid";
  EXPECT_FALSE(client.OpenSession());
  EXPECT_EQ(client.Sock().LastError(), 11001);
  EXPECT_FALSE(client.WaitForText("Username:"));
  EXPECT_EQ(client.ReadUntil("#"), "");
  client.SendText("x\r");
  EXPECT_NE(client.Sock().LastError(), 0);
  client.CloseSession();
}

}  // namespace
