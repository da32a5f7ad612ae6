#include <gtest/gtest.h>

#include <string>

#include "testkit/model_fixture.h"

namespace {

class SpanRulesTest : public ModelTest {};

std::string RolesAndFlags() {
  std::string text;
  for (int position = 1; position <= Ports.Count; ++position) {
    for (int session = 1; session <= 2; ++session) {
      const TPortSpanType& span = Ports.Items[position].SpanTypes[session];
      text += span.SpanType + (span.Changed ? "*" : "") + ",";
    }
  }
  return text;
}

TEST_F(SpanRulesTest, RulesInTheirOrder) {
  const struct {
    const char* why;
    std::string listing;  // the loaded sessions
    int session;
    const char* name;
    const char* wanted;
    const char* message;  // empty when allowed
  } cases[] = {
      {"VLAN beside an interface source", SessionBlock(1, {"RX Only : Gi0/1"}), 1, "10", "Both",
       "Vlan 10 can not be added as source in the session.\n\rAlready there are source ports in "
       "the session."},
      {"interface beside a VLAN source", SessionBlock(1, {"Both : 10"}), 1, "Gi0/2", "Egress",
       "Interface Gi0/2 can not be added as source in the session.\n\rAlready there are source "
       "vlans in the session."},
      {"VLAN as destination, before every later rule",
       SessionBlock(1, {"Filter VLANs : 1-5", "RX Only : Gi0/1"}) +
           SessionBlock(2, {"Destination Ports : Gi0/3"}),
       1, "10", "Destination", "VLAN can not be destination"},
      {"VLAN source under a filter, even alone", SessionBlock(1, {"Filter VLANs : 1-5"}), 1, "10",
       "Ingress",
       "VLAN filters must not be specified when one or more VLANs have been specified as source "
       "VLANs."},
      {"VLAN source under a filter, before the mixing rule",
       SessionBlock(1, {"Filter VLANs : 1-5", "RX Only : Gi0/1"}), 1, "10", "Ingress",
       "VLAN filters must not be specified when one or more VLANs have been specified as source "
       "VLANs."},
      {"VLAN may lose its role under a filter", SessionBlock(1, {"Filter VLANs : 7"}), 1, "10",
       "None", ""},
      {"destination elsewhere: not even None", SessionBlock(2, {"Destination Ports : Gi0/2"}), 1,
       "Gi0/2", "None",
       "Port Gi0/2 is already destination port in session 2.\n\rIt cannot be the destination "
       "port for more than one session."},
      {"destination elsewhere: no source either", SessionBlock(1, {"Destination Ports : Gi0/2"}), 2,
       "Gi0/2", "Both",
       "Port Gi0/2 is already destination port in session 1.\n\rIt cannot be the destination "
       "port for more than one session."},
      {"source elsewhere may be a source here", SessionBlock(2, {"TX Only : Gi0/1"}), 1, "Gi0/1",
       "Ingress", ""},
      {"source elsewhere may not be a destination here", SessionBlock(2, {"TX Only : Gi0/1"}), 1,
       "Gi0/1", "Destination",
       "Port Gi0/1 is already configured as source (egress) port in session 2."},
      {"role in lower case", SessionBlock(1, {"Both : Gi0/1"}), 2, "Gi0/1", "Destination",
       "Port Gi0/1 is already configured as source (both) port in session 1."},
      {"a source back to None", SessionBlock(1, {"RX Only : Gi0/1", "Destination Ports : Gi0/2"}),
       1, "Gi0/1", "None", ""},
      {"two destinations in one session", SessionBlock(1, {"Destination Ports : Gi0/2"}), 1,
       "Gi0/3", "Destination", ""},
      {"a second VLAN source", SessionBlock(1, {"Both : 10"}), 1, "20", "Egress", ""},
      {"a second interface source", SessionBlock(1, {"Both : Gi0/1"}), 1, "Gi0/4", "Ingress", ""},
      {"a VLAN source beside an interface destination",
       SessionBlock(1, {"Destination Ports : Gi0/2"}), 1, "10", "Both", ""},
      {"the same role again", SessionBlock(1, {"Both : Gi0/1"}), 1, "Gi0/1", "Both", ""},
      {"VLAN source in the other session does not matter", SessionBlock(2, {"Both : 10"}), 1,
       "Gi0/1", "Both", ""},
      {"unknown name", "", 1, "Gi0/9", "Both",
       "Can't find port or vlan Gi0/9 in global ports list"},
      {"names are exact", "", 1, "gi0/1", "Both",
       "Can't find port or vlan gi0/1 in global ports list"},
      {"no session 3", "", 3, "Gi0/1", "Both", "Invalid SPAN sesssion id 3"},
      {"no session 0", "", 0, "Gi0/1", "None", "Invalid SPAN sesssion id 0"},
  };
  for (const auto& c : cases) {
    ResetModel();
    LoadSmallSwitch(c.listing);
    std::string before = RolesAndFlags();
    std::string message = "stale";
    bool allowed = CheckSpanType(c.session, c.name, c.wanted, message);
    EXPECT_EQ(message, c.message) << c.why;
    EXPECT_EQ(allowed, std::string(c.message).empty()) << c.why;
    EXPECT_EQ(RolesAndFlags(), before) << c.why;
  }
  EXPECT_EQ(Log(), "");  // refusals are results, not logged errors
}

TEST_F(SpanRulesTest, AVlanFilterIsRefusedBesideVlanSourcesOnly) {
  const std::string refusal =
      "VLAN filters must not be specified when one or more VLANs have been specified as source "
      "VLANs.";
  const struct {
    std::string listing;
    const char* filter;
    std::string message;
  } cases[] = {
      {SessionBlock(1, {"RX Only : 10"}), " 20 ", refusal},
      {SessionBlock(1, {"RX Only : 10"}), " \t", ""},  // blank: no filter at all
      {SessionBlock(1, {"RX Only : Gi0/1"}), "20", ""},
      {SessionBlock(2, {"RX Only : 10"}), "20", ""},  // the other session's source
  };
  for (const auto& c : cases) {
    ResetModel();
    LoadSmallSwitch(c.listing);
    std::string message = "stale";
    EXPECT_EQ(CheckVlanFilter(1, c.filter, message), c.message.empty()) << c.listing;
    EXPECT_EQ(message, c.message) << c.listing;
    EXPECT_FALSE(HasChanges());
  }
}

TEST_F(SpanRulesTest, SessionLimitComesFirst) {
  LoadSmallSwitch(SessionBlock(1, {"Both : Gi0/1"}));
  SPANSessions.LocalSessionLimit = 1;
  std::string message;
  EXPECT_FALSE(CheckSpanType(2, "Gi0/9", "Both", message));
  EXPECT_EQ(message, "Local Session Limit (1) Has Been Exceeded");
  EXPECT_TRUE(CheckSpanType(1, "Gi0/2", "Both", message)) << message;
}

TEST_F(SpanRulesTest, TheFirstOfTwoEntriesWithOneNameIsJudged) {
  ASSERT_TRUE(ParsePorts(StatusReply({"Gi0/1 first connected 1", "Gi0/1 second connected 1"}), ""));
  ASSERT_TRUE(ParseSPANSessions(SessionBlock(2, {"Destination Ports : Gi0/1"})));
  EXPECT_EQ(Ports.Items[1].SpanTypes[2].SpanType, "Destination");
  EXPECT_EQ(Ports.Items[2].SpanTypes[2].SpanType, "None");
  std::string message;
  EXPECT_FALSE(CheckSpanType(1, "Gi0/1", "Both", message));
  EXPECT_EQ(message.substr(0, 44), "Port Gi0/1 is already destination port in se");
}

}  // namespace
