#include <gtest/gtest.h>

#include <array>
#include <string>

#include "testkit/model_fixture.h"

namespace {

using Row = std::array<std::string, 3>;

TEST(SpanTypeTexts, CaptionsChoicesAndEncapsulationIndexes) {
  const struct {
    const char* role;
    const char* caption;
  } captions[] = {{"None", "None"},
                  {"Ingress", "Ingress"},
                  {"Egress", "Egress"},
                  {"Both", "Both"},
                  {"Destination", "Destination (SPAN port)"},
                  {"destination", "destination"},
                  {"", ""}};
  for (const auto& c : captions) {
    EXPECT_EQ(SpanTypeCaption(c.role), c.caption) << c.role;
  }

  const struct {
    int choice;
    const char* role;
  } choices[] = {{0, "None"},        {1, "Ingress"}, {2, "Egress"}, {3, "Both"},
                 {4, "Destination"}, {5, "None"},    {-1, "None"}};
  for (const auto& c : choices) {
    EXPECT_EQ(SpanTypeOfChoice(c.choice), c.role) << c.choice;
  }

  const struct {
    const char* encapsulation;
    int index;
  } indexes[] = {{"Native", 0}, {"Replicate", 1}, {"", 0}, {"replicate", 0}, {"Replicate ", 0}};
  for (const auto& c : indexes) {
    EXPECT_EQ(EncapsulationIndex(c.encapsulation), c.index) << c.encapsulation;
  }
}

class PresentationTest : public ModelTest {};

TEST_F(PresentationTest, SessionCaptionsAndCounts) {
  const struct {
    std::string listing;
    int count1;
    int count2;
    const char* caption1;
    const char* caption2;
  } cases[] = {
      {"", 0, 0, "1 (Available)", "2 (Available)"},
      {SessionBlock(2, {"Destination Ports : Gi0/2"}), 0, 1, "1 (Available)", "2 (Configured)"},
      {SessionBlock(1, {"Both : 10,20", "Destination Ports : Gi0/2-3"}), 4, 0, "1 (Configured)",
       "2 (Available)"},
  };
  for (const auto& c : cases) {
    ResetModel();
    LoadSmallSwitch(c.listing);
    EXPECT_EQ(SessionPortCount(1), c.count1) << c.listing;
    EXPECT_EQ(SessionPortCount(2), c.count2) << c.listing;
    EXPECT_EQ(SessionCaptions(), (std::vector<std::string>{c.caption1, c.caption2})) << c.listing;
  }
  for (int session : {0, 3, -1}) {
    EXPECT_EQ(RaisedBy([&] { SessionPortCount(session); }),
              "Invalid SPAN sesssion id " + std::to_string(session));
  }
  EXPECT_NE(Log().find("Invalid SPAN sesssion id -1\t"), std::string::npos);
}

TEST_F(PresentationTest, GridTexts) {
  LoadSmallSwitch(SessionBlock(1, {"Both : Gi0/1", "Destination Ports : Gi0/2"}));
  EXPECT_EQ(PortsGridHeader(),
            (Row{"  Interface", "  Description", "  Configure interface as..."}));
  const struct {
    int entry;
    int session;
    Row row;
  } cases[] = {
      {1, 1, {"  vlan 1", "default", "None"}}, {2, 2, {"  vlan 10", "SERVERS", "None"}},
      {4, 1, {"  Gi0/1", "uplink", "Both"}},   {5, 1, {"  Gi0/2", "", "Destination (SPAN port)"}},
      {5, 2, {"  Gi0/2", "", "None"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PortsGridRow(c.entry, c.session), c.row) << c.entry << " in " << c.session;
  }
  std::vector<Row> rows = PortsGridRows(1);
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[3], PortsGridRow(4, 1));
  EXPECT_EQ(rows[6], (Row{"  Gi0/4", "server", "None"}));
  EXPECT_EQ(RaisedBy([] { PortsGridRows(0); }), "Invalid SPAN sesssion id 0");
  EXPECT_EQ(RaisedBy([] { PortsGridRow(1, 3); }), "Invalid SPAN sesssion id 3");
  EXPECT_EQ(RaisedBy([] { PortsGridRow(8, 1); }), "Invalid port index 8");
  EXPECT_EQ(PortsGridColumnWidth(558), 176);
  EXPECT_EQ(PortsGridColumnWidth(560), 176);
}

TEST(GridDescriptionText, LongDescriptionsAreShortenedFromEighteenCharacters) {
  const struct {
    std::string description;
    std::string shown;
  } cases[] = {
      {"", ""},
      {"12345678901234567", "12345678901234567"},
      {"123456789012345678", "123456789012345678..."},
      {"123456789012345678901234567890", "123456789012345678..."},
      {"\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9",
       "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9"},
      {"\xc3\xa9" + std::string(17, 'x') + "yz", "\xc3\xa9" + std::string(17, 'x') + "..."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GridDescriptionText(c.description), c.shown) << c.description;
  }
}

}  // namespace

TEST_F(PresentationTest, TypedTextFindsTheFirstEntryItBegins) {
  LoadSmallSwitch("");
  const struct {
    const char* typed;
    int entry;
  } cases[] = {
      {"gi0/3", 6}, {"GI0/", 4},    {"g", 4}, {"vlan 2", 3}, {"Vlan", 1},   {"10", 2},
      {"2", 3},     {"vlan 30", 0}, {"", 0},  {"gi0/4x", 0}, {"vlan10", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindEntryByPrefix(c.typed), c.entry) << "[" << c.typed << "]";
  }
}
