#include "app/about_form.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

namespace {

class AboutFormTest : public ::testing::Test {
 protected:
  template <typename T>
  T* Control(const char* name) {
    T* control = about_.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  // Shows the window modally, runs steps inside its event loop, then returns exec's result;
  // a window that is still open after the steps is closed with OK so that the test ends.
  int ExecWith(std::function<void()> steps) {
    QTimer::singleShot(0, &about_, [this, steps] {
      steps();
      stillOpenAfterSteps_ = about_.isVisible();
      if (about_.isVisible()) {
        Control<QPushButton>("OKButton")->click();
      }
    });
    return about_.exec();
  }

  TAboutForm about_;
  bool stillOpenAfterSteps_ = false;
};

TEST_F(AboutFormTest, ControlsStandWhereTheLayoutPutsThem) {
  EXPECT_EQ(about_.windowTitle(), "About");
  EXPECT_EQ(about_.size(), QSize(487, 566));
  EXPECT_EQ(about_.minimumSize(), about_.maximumSize()) << "not resizable";
  const struct {
    const char* name;
    QRect geometry;
  } cases[] = {
      {"ProductName", {8, 8, 216, 16}}, {"Version", {8, 32, 348, 16}},
      {"Label1", {8, 64, 95, 16}},      {"Memo1", {8, 88, 473, 425}},
      {"OKButton", {207, 532, 75, 25}},
  };
  for (const auto& c : cases) {
    QWidget* control = Control<QWidget>(c.name);
    ASSERT_NE(control, nullptr);
    QRect expected = c.geometry;
    if (std::string(c.name) == "Label1") {
      expected.setWidth(std::max(expected.width(), control->width()));  // grows with the address
    }
    EXPECT_EQ(control->geometry(), expected) << c.name;
  }
  EXPECT_EQ(Control<QLabel>("ProductName")->text(), "Tarvello v1.0.");
  QPushButton* ok = Control<QPushButton>("OKButton");
  EXPECT_EQ(ok->text(), "OK");
  EXPECT_TRUE(ok->isDefault());
  QPlainTextEdit* memo = Control<QPlainTextEdit>("Memo1");
  EXPECT_TRUE(memo->isReadOnly());
  std::vector<std::string> lines;
  for (const QString& line : memo->toPlainText().split('\n')) {
    lines.push_back(line.toStdString());
  }
  ASSERT_GT(lines.size(), 19u);
  EXPECT_EQ(lines[0], "For license information please scroll to the end of this window.");
  EXPECT_EQ(lines[2], "How to use the Tarvello");
  EXPECT_EQ(lines[7], "There are two steps in the configuration process:");
  EXPECT_EQ(lines[9], "1. Select and log in to your switch.");
  EXPECT_EQ(lines[10], "2. Configure and apply port settings.");
  EXPECT_TRUE(memo->toPlainText().contains("running configuration"));
  EXPECT_EQ(lines[17], "LICENSE AGREEMENT");
  EXPECT_EQ(lines[18], "");
}

TEST_F(AboutFormTest, TextsFitTheirControlsWithoutClippingOrStrayWraps) {
  for (const char* name : {"ProductName", "Version", "Label1"}) {
    QLabel* label = Control<QLabel>(name);
    ASSERT_NE(label, nullptr);
    EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width())
        << name << ": " << label->text().toStdString();
  }
  // The usage note's lines are broken by hand; none may wrap again.
  QPlainTextEdit* memo = Control<QPlainTextEdit>("Memo1");
  const int room = memo->width() - memo->verticalScrollBar()->sizeHint().width() -
                   2 * static_cast<int>(memo->document()->documentMargin()) - 8;
  const QStringList lines = memo->toPlainText().split('\n');
  for (int line = 0; line < 17; ++line) {
    EXPECT_LE(QFontMetrics(memo->font()).horizontalAdvance(lines[line]), room)
        << lines[line].toStdString();
  }
}

TEST_F(AboutFormTest, EnterClosesFromTheButtonButStaysInTheTextBox) {
  const struct {
    const char* focus;
    bool staysOpen;
  } cases[] = {{"OKButton", false}, {"Memo1", true}};
  for (const auto& c : cases) {
    const int result = ExecWith([&] {
      QWidget* target = Control<QWidget>(c.focus);
      target->setFocus();
      QTest::keyClick(target, Qt::Key_Return);
    });
    EXPECT_EQ(stillOpenAfterSteps_, c.staysOpen) << c.focus;
    EXPECT_EQ(result, QDialog::Accepted) << c.focus;
    EXPECT_FALSE(about_.isVisible());
  }
}

TEST_F(AboutFormTest, OkHasTheFocusWhenTheWindowOpens) {
  QWidget* focused = nullptr;
  ExecWith([&] { focused = about_.focusWidget(); });
  EXPECT_EQ(focused, Control<QWidget>("OKButton"));
}

TEST_F(AboutFormTest, LinkOpensTheSiteFrontPageAndTheWindowStaysOpen) {
  QStringList opened;
  about_.SetLinkOpener([&](const QString& address) { opened.push_back(address); });
  ExecWith([&] { QTest::mouseClick(Control<QWidget>("Label1"), Qt::LeftButton); });
  EXPECT_TRUE(stillOpenAfterSteps_);
  ASSERT_EQ(opened.size(), 1);
  EXPECT_TRUE(opened[0].startsWith("https://")) << opened[0].toStdString();
  EXPECT_TRUE(opened[0].endsWith(".com/")) << opened[0].toStdString();
  EXPECT_EQ(opened[0].count('/'), 3) << "the front page: nothing after the host's slash";
}

}  // namespace
