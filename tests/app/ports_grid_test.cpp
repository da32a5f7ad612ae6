// The ports grid: its texts after filling from captured switch output, its painted colours,
// the description cut, the changed frame and the arrow button that follows the current row.
#include <QPainter>
#include <QTest>

#include "app/session_fill.h"
#include "testkit/window_fixture.h"

namespace {

using PortsGridTest = WindowTest;

TEST_F(PortsGridTest, FillingFromCapturedOutputGivesTheModelsTexts) {
  Load(ReadTestData("interfaces_status/ntc_ios_status.txt"),
       ActiveLinesOnly(ReadTestData("vlan/ntc_ios_show_vlan.txt")), "");
  TTextGrid* grid = Grid();
  ASSERT_GT(Ports.Count, 20);
  EXPECT_EQ(grid->RowCount(), Ports.Count + 1);
  EXPECT_EQ(grid->FixedRows(), 1);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(grid->TopRow(), 1);
  for (int col = 0; col < 3; ++col) {
    EXPECT_EQ(grid->ColWidth(col), 558 / 3 - 10);
    EXPECT_EQ(grid->Cell(col, 0).toStdString(), PortsGridHeader()[col]);
  }
  const auto rows = PortsGridRows(1);
  for (int row = 1; row <= Ports.Count; ++row) {
    for (int col = 0; col < 3; ++col) {
      EXPECT_EQ(grid->Cell(col, row).toStdString(), rows[row - 1][col]) << row << "," << col;
    }
  }
  EXPECT_EQ(grid->Cell(0, 1).toStdString().substr(0, 7), "  vlan ");
}

TEST_F(PortsGridTest, AWrongSessionNumberRaisesAndLeavesTheGridAlone) {
  Load(SmallSwitchStatus(), SmallSwitchVlans(), "");
  Grid()->SetRow(4);
  for (int session : {0, 1025}) {
    EXPECT_EQ(RaisedBy([&] { FillPortsGrid(*Grid(), DefaultSwitchModel(), session); }),
              "Invalid SPAN sesssion id " + std::to_string(session));
  }
  EXPECT_EQ(Grid()->RowCount(), 8);
  EXPECT_EQ(Grid()->Row(), 4);
}

TEST_F(PortsGridTest, RowsArePaintedGreyWhiteAndTheCurrentRowGreen) {
  Load(SmallSwitchStatus(), SmallSwitchVlans(), "");
  EXPECT_EQ(CellPixel(0, 1, 1, 18), QColor(32, 136, 95));  // row 1 is current after filling
  Grid()->SetRow(3);
  for (int col = 0; col < 3; ++col) {
    SCOPED_TRACE(col);
    EXPECT_EQ(CellPixel(col, 1, 1, 18), QColor(240, 240, 240));
    EXPECT_EQ(CellPixel(col, 2, 1, 18), QColor(255, 255, 255));
    EXPECT_EQ(CellPixel(col, 3, 1, 18), QColor(32, 136, 95));
    EXPECT_EQ(CellPixel(col, 5, 1, 18), QColor(240, 240, 240));
  }
  EXPECT_EQ(CellPixel(0, 0, 6, 10), QColor(192, 192, 192));  // the header keeps its look
}

TEST_F(PortsGridTest, OnlyAChangedRoleCellGetsTheGreenFrameOneInsideItsEdge) {
  Load(SmallSwitchStatus(), SmallSwitchVlans(), "");
  Grid()->SetRow(6);
  SetSpanType(4, 1, "Ingress");
  Grid()->viewport()->update();
  const QColor green(0, 128, 0);
  EXPECT_EQ(CellPixel(2, 4, 1, 1), green);
  EXPECT_EQ(CellPixel(2, 4, 1, 10), green);
  EXPECT_EQ(CellPixel(2, 4, 174, 18), green);
  EXPECT_EQ(CellPixel(2, 4, 0, 0), QColor(255, 255, 255));
  EXPECT_EQ(CellPixel(2, 4, 2, 2), QColor(255, 255, 255));
  EXPECT_NE(CellPixel(1, 4, 1, 1), green);  // other columns
  EXPECT_NE(CellPixel(2, 3, 1, 1), green);  // other rows
  EXPECT_NE(CellPixel(2, 5, 1, 10), green);
}

// The cell as the page must draw it: fill, then the text 5 right and 2 below the corner.
QImage ExpectedCell(const QRect& cell, const QColor& fill, const QFont& font, const QString& text) {
  QImage image(cell.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(fill);
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(QRect(5, 2, cell.width() * 4, cell.height()), Qt::AlignLeft | Qt::AlignTop,
                   text);
  return image;
}

TEST_F(PortsGridTest, DescriptionsOfEighteenCharactersOrMoreAreCutWithDots) {
  const struct {
    const char* description;
    const char* drawn;
  } cases[] = {
      {"seventeen chars..", "seventeen chars.."},
      {"eighteen character", "eighteen character..."},
      {"thirty characters of text here", "thirty characters ..."},
  };
  std::vector<std::string> lines;
  for (int i = 0; i < 3; ++i) {
    std::string name = "Gi0/" + std::to_string(i + 1);
    name.resize(10, ' ');
    // The status layout leaves 18 columns for the name, so the longer ones are set directly.
    lines.push_back(name +
                    "                   connected    1          a-full a-1000 10/100/1000BaseTX");
  }
  Load(StatusReply(lines), VlanReply({"1    default                          active"}), "");
  for (int i = 0; i < 3; ++i) {
    const int row = 2 + i;  // row 1 is VLAN 1
    Ports.Items[row].Description = cases[i].description;
    Grid()->SetCell(1, row, QString::fromLatin1(cases[i].description));
  }
  Grid()->SetRow(1);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(cases[i].description);
    const int row = 2 + i;
    const QRect cell = Grid()->CellRect(1, row);
    QImage painted = GridImage().copy(cell).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QColor fill = row % 2 == 1 ? QColor(240, 240, 240) : QColor(255, 255, 255);
    const QImage expected =
        ExpectedCell(cell, fill, Grid()->font(), QString::fromLatin1(cases[i].drawn));
    // The next column paints over text that runs past the cell, so compare the cell only.
    EXPECT_TRUE(painted == expected);
  }
}

// The button follows the events that move the cells, without waiting for a paint.
TEST_F(PortsGridTest, ArrowButtonSitsAtTheRoleCellsRightEndAndHidesWhileScrolledOut) {
  Load(FortyEightPortStatus(), FortyEightPortVlans(), "");
  auto* panel = Find<QWidget>("InlinePanel");
  TTextGrid* grid = Grid();
  const int current = 20;
  grid->SetRow(current);
  const QRect cell = grid->CellRect(2, current);
  const QRect button(grid->viewport()->mapFrom(panel->parentWidget(), panel->pos()), panel->size());
  EXPECT_TRUE(panel->isVisible());
  EXPECT_EQ(button.size(), QSize(15, 15));
  EXPECT_EQ(button.right(), cell.right());
  EXPECT_EQ(button.top(), cell.top() + 4);
  EXPECT_EQ(button.bottom(), cell.bottom() - 1);

  const int visible = grid->VisibleRowCount();
  ASSERT_GT(visible, 3);
  const struct {
    int top;
    bool shown;
  } scrolls[] = {
      {current + 1, false},            // current row above the top row
      {current - visible, true},       // the row just below the last whole one keeps it
      {current - visible - 1, false},  // further below
      {current - 2, true},             // back in view: shown at the row's cell again
  };
  for (const auto& scroll : scrolls) {
    SCOPED_TRACE(scroll.top);
    grid->SetTopRow(scroll.top);
    ASSERT_EQ(grid->TopRow(), scroll.top);
    EXPECT_EQ(panel->isVisible(), scroll.shown);
  }
  EXPECT_EQ(grid->viewport()->mapFrom(panel->parentWidget(), panel->pos()).y(),
            grid->CellRect(2, current).top() + 4);

  PickSession(1);  // another session shows with row 1 current
  EXPECT_TRUE(panel->isVisible());
  EXPECT_EQ(grid->viewport()->mapFrom(panel->parentWidget(), panel->pos()).y(),
            grid->CellRect(2, 1).top() + 4);
}

// Typing jumps as in a list view: the text grows while the keys come less than a second apart,
// the first entry it begins becomes current, and a pause starts a new search.
TEST_F(PortsGridTest, TypingJumpsToTheFirstEntryTheTypedTextBegins) {
  Load(FortyEightPortStatus(), FortyEightPortVlans(), "");  // VLANs in rows 1-3, Gi1/0/1 in 4
  TTextGrid* grid = Grid();
  qint64 now = 5000;
  grid->SetClock([&now] { return now; });
  const struct {
    qint64 pauseMs;
    const char* keys;
    int row;
  } steps[] = {
      {0, "gi1/0/4", 7}, {999, "8", 51},  // "gi1/0/48"
      {1000, "V", 1},    {0, "lan 2", 3}, {1000, "10", 2}, {1000, "x", 2},
  };
  for (const auto& step : steps) {
    now += step.pauseMs;
    QTest::keyClicks(grid, QString::fromLatin1(step.keys));
    EXPECT_EQ(grid->Row(), step.row) << step.keys;
  }
  QTest::keyClick(grid, Qt::Key_Down);
  EXPECT_EQ(grid->Row(), 3);
}

}  // namespace
