// The two message boxes: captions, icons, buttons and the keys that answer them, and the text
// as shown; the other switch's log-in box.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "app/form1.h"
#include "app/message_boxes.h"
#include "app/script_preview.h"
#include "testkit/temp_folder.h"
#include "testkit/window_fixture.h"

namespace {

TEST(MessageBoxTextTest, LineEndsBecomeOneBreakAndControlCharactersAreMarked) {
  const struct {
    std::string model;
    const char* shown;
  } cases[] = {
      {"Unable to reach 10.0.0.1.\n\rPlease check", "Unable to reach 10.0.0.1.\nPlease check"},
      {"a\r\nb", "a\nb"},
      {"a\rb", "a\nb"},
      {"a\n\nb", "a\n\nb"},
      {"tab\tkept", "tab\tkept"},
      {std::string("bell\x07 esc\x1b", 10), "bell? esc?"},
      {"<b>not bold</b>", "<b>not bold</b>"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MessageBoxText(c.model).toStdString(), c.shown) << c.model;
  }
}

// Runs the box modally and presses key on it once it is open; returns the box's caption,
// icon and button texts as seen, and the answer.
struct Seen {
  std::string caption;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  std::vector<std::string> buttons;
  std::string defaultButton;
  std::string text;
  bool textIsPlain = false;
  bool busyPointer = false;  // the application's wait pointer was on while the box was open
};

Seen PressOnOpenBox(Qt::Key key, const std::function<void()>& open) {
  Seen seen;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen.caption = box->windowTitle().toStdString();
    seen.icon = box->icon();
    seen.text = box->text().toStdString();
    seen.textIsPlain = box->textFormat() == Qt::PlainText;
    seen.busyPointer = QApplication::overrideCursor() != nullptr;
    for (QAbstractButton* button : box->buttons()) {
      seen.buttons.push_back(button->text().toStdString());
    }
    seen.defaultButton = box->defaultButton()->text().toStdString();
    QTest::keyClick(box, key);
  });
  open();
  return seen;
}

TEST(MessageBoxTest, PlainBoxHasOneOkTakenByEnterAndEscape) {
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
    const Seen seen =
        PressOnOpenBox(key, [] { ShowPlainMessage(nullptr, "Enter telnet username", {}); });
    EXPECT_EQ(seen.caption, "Tarvello");
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, std::vector<std::string>{"OK"});
    EXPECT_EQ(seen.text, "Enter telnet username");
    EXPECT_TRUE(seen.textIsPlain);
  }
}

TEST(MessageBoxTest, ConfirmationConsentsOnlyToYes) {
  const struct {
    Qt::Key key;
    TDefaultAnswer defaultAnswer;
    bool consent;
  } cases[] = {{Qt::Key_Return, TDefaultAnswer::Yes, true},
               {Qt::Key_Escape, TDefaultAnswer::Yes, false},
               {Qt::Key_N, TDefaultAnswer::Yes, false},
               {Qt::Key_Y, TDefaultAnswer::Yes, true},
               // a question before a step that is hard to take back: Enter says No
               {Qt::Key_Return, TDefaultAnswer::No, false},
               {Qt::Key_Y, TDefaultAnswer::No, true}};
  for (const auto& c : cases) {
    const bool yesDefault = c.defaultAnswer == TDefaultAnswer::Yes;
    SCOPED_TRACE(std::to_string(c.key) + (yesDefault ? " Yes" : " No"));
    bool consent = !c.consent;
    const Seen seen = PressOnOpenBox(c.key, [&] {
      consent =
          AskConfirmation(nullptr, "Cancel changes and close application?", {}, c.defaultAnswer);
    });
    EXPECT_EQ(consent, c.consent);
    EXPECT_EQ(seen.caption, "Confirm");
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, (std::vector<std::string>{"&Yes", "&No"}));
    EXPECT_EQ(seen.defaultButton, yesDefault ? "&Yes" : "&No");
  }
}

// A box waits for the person: inside a busy flow it shows the normal pointer, and the flow's
// busy pointer comes back once it is answered.
TEST(MessageBoxTest, TheWindowsBoxesShowTheNormalPointerInABusyFlow) {
  TForm1 form;
  form.SetBusyPointer(true);
  const Seen plain = PressOnOpenBox(Qt::Key_Return, [&] { form.ShowMessage("Busy here"); });
  bool yes = false;
  const Seen question = PressOnOpenBox(Qt::Key_Return, [&] { yes = form.Confirm("Trust?"); });
  EXPECT_FALSE(plain.busyPointer);
  EXPECT_FALSE(question.busyPointer);
  EXPECT_TRUE(yes);
  EXPECT_NE(QApplication::overrideCursor(), nullptr);
  form.SetBusyPointer(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The preview before an Apply: Enter sends, Esc (or Back) goes back, Copy puts the lines on the
// clipboard as shown, and a long script scrolls inside a box of the window's font.
TEST_F(WindowTest, TheOtherSwitchBoxGivesWhatWasTypedAndCancelGivesNothing) {
  const struct {
    const char* button;
    bool tick;
    bool answer;
  } cases[] = {{"OtherSwitchDialog_OK", true, true},
               {"OtherSwitchDialog_OK", false, true},
               {"OtherSwitchDialog_Cancel", true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.button) + (c.tick ? " ticked" : ""));
    bool fieldEnabledBeforeTick = true;
    form_->SetBoxAnswerer([&](QDialog& box) {
      auto* address = box.findChild<QComboBox*>("OtherSwitchDialog_Address");
      EXPECT_EQ(address->currentText().toStdString(), "core-9300");  // the first entry stands
      EXPECT_EQ(address->count(), 2);
      address->setEditText(" ssh://10.0.0.2 ");
      box.findChild<QLineEdit*>("OtherSwitchDialog_Username")->setText("ops");
      box.findChild<QLineEdit*>("OtherSwitchDialog_Password")->setText("pw");
      auto* enable = box.findChild<QLineEdit*>("OtherSwitchDialog_EnablePassword");
      fieldEnabledBeforeTick = enable->isEnabled();
      box.findChild<QCheckBox*>("OtherSwitchDialog_EnableTicked")->setChecked(c.tick);
      EXPECT_EQ(enable->isEnabled(), c.tick);
      enable->setText("en");
      box.findChild<QPushButton*>(c.button)->click();
    });
    TSwitchInputs inputs{"kept", "", "", "", false};
    EXPECT_EQ(form_->AskOtherSwitch({"core-9300", "10.0.0.9"}, inputs), c.answer);
    EXPECT_FALSE(fieldEnabledBeforeTick);
    if (c.answer) {
      EXPECT_EQ(inputs.Address, " ssh://10.0.0.2 ");
      EXPECT_EQ(inputs.UserName, "ops");
      EXPECT_EQ(inputs.Password, "pw");
      EXPECT_EQ(inputs.EnablePassword, "en");
      EXPECT_EQ(inputs.EnableTicked, c.tick);
    } else {
      EXPECT_EQ(inputs.Address, "kept");
    }
  }
}

TEST(ScriptPreviewTest, SendsOnEnterGoesBackOnEscapeAndCopiesTheLines) {
  std::vector<std::string> lines;
  for (int port = 1; port <= 40; ++port) {
    lines.push_back("monitor session 1 source interface Gi1/0/" + std::to_string(port) + " rx");
  }
  const struct {
    std::function<void(TScriptPreview&)> answer;
    bool sent;
  } cases[] = {
      {[](TScriptPreview& box) { QTest::keyClick(&box, Qt::Key_Return); }, true},
      {[](TScriptPreview& box) { QTest::keyClick(&box, Qt::Key_Escape); }, false},
      {[](TScriptPreview& box) { box.findChild<QPushButton*>("Back")->click(); }, false},
  };
  for (const auto& c : cases) {
    bool sent = !c.sent;
    QTimer::singleShot(0, [&] {
      auto* box = dynamic_cast<TScriptPreview*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->windowTitle().toStdString(), "Confirm");
      EXPECT_EQ(box->font().family(), QStringLiteral("Arial"));
      EXPECT_TRUE(box->findChild<QPlainTextEdit*>("Lines")->verticalScrollBar()->isVisible());
      box->findChild<QPushButton*>("Copy")->click();
      EXPECT_TRUE(box->isVisible()) << "copying keeps the box open";
      c.answer(*box);
    });
    sent = AskToSendLines(nullptr, "These lines go to the switch:", {{"", {.Lines = lines}}}, {});
    EXPECT_EQ(sent, c.sent);
    const QStringList copied = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    ASSERT_EQ(copied.size(), 40);
    EXPECT_EQ(copied.front().toStdString(), lines.front());
    EXPECT_EQ(copied.back().toStdString(), lines.back());
  }
  // Two switches: each block under its heading, as an IOS comment, apart from the other.
  const std::vector<TPreviewBlock> blocks = {
      {"Core-9300 (10.0.0.2)", {.Lines = {"vlan 901", "exit"}}},
      {"Access-2960 (10.0.0.3)", {.Lines = {"monitor session 1 destination remote vlan 901"}}}};
  AskToSendLines(nullptr, "These lines go to the switches:", blocks, [](QDialog& box) {
    box.findChild<QPushButton*>("Copy")->click();
    box.reject();
  });
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
            "! Core-9300 (10.0.0.2)\nvlan 901\nexit\n\n! Access-2960 (10.0.0.3)\n"
            "monitor session 1 destination remote vlan 901");
}

// "Save as Ansible playbook...": written where chosen, save_when and the inventory as ticked; a
// cancel, a refused line or a failed write leave no file; the preview stays open, unclipped.
TEST(ScriptPreviewTest, SavesThePlaybookWhereChosenAsTheTicksSay) {
  const struct {
    std::string chosen;  // in the folder; empty cancels
    bool startup, inventory;
    std::string line;
    QStringList files;    // what the folder then holds
    std::string message;  // the box's message begins so; empty for no box
  } cases[] = {
      {"span.yml", false, false, "monitor session 1 source interface Gi1/0/1", {"span.yml"}, ""},
      // a host name's dots stay in the inventory's name
      {"sw.lab.yml", true, true, "exit", {"sw.lab.inventory.yml", "sw.lab.yml"}, ""},
      {"", true, true, "exit", {}, ""},
      {"span.yml", false, true, "exit\x07", {}, "Invalid character in command [exit?]"},
      {"missing/span.yml", false, false, "exit", {}, "Cannot write "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    TempFolder folder;
    QString suggested;
    std::string message;
    TScriptPreview box(
        nullptr, "", {{"", {.HostName = "Access-2960", .AnsiblePort = "2222", .Lines = {c.line}}}},
        [&](QWidget*, const QString& offer) {
          suggested = offer;
          return c.chosen.empty() ? QString() : QString::fromStdString(folder.Path() + c.chosen);
        },
        [&](QDialog& shown) {
          message = qobject_cast<QMessageBox*>(&shown)->text().toStdString();
        });
    box.show();
    for (QAbstractButton* control : box.findChildren<QAbstractButton*>()) {
      EXPECT_GE(control->width(), control->sizeHint().width()) << control->text().toStdString();
    }
    if (c.startup) {
      box.findChild<QCheckBox*>("AlsoSaveToStartup")->click();
    }
    if (c.inventory) {
      box.findChild<QCheckBox*>("AlsoWriteInventory")->click();
    }
    box.findChild<QPushButton*>("SaveAnsible")->click();

    EXPECT_TRUE(box.isVisible());
    const QFileInfo offered(suggested);  // a missing folder sends the dialog elsewhere
    EXPECT_TRUE(offered.dir().exists() && offered.fileName().startsWith("span-Access-2960-2"))
        << suggested.toStdString();
    EXPECT_EQ(QDir(QString::fromStdString(folder.Path()))
                  .entryList(QDir::Files | QDir::Hidden, QDir::Name),
              c.files);
    EXPECT_TRUE(message.starts_with(c.message) && message.empty() == c.message.empty()) << message;
    if (!c.files.empty()) {
      const std::string playbook = folder.Read(c.chosen);
      EXPECT_NE(playbook.find("'" + c.line + "'"), std::string::npos) << playbook;
      EXPECT_EQ(playbook.find("save_when: modified") != std::string::npos, c.startup);
      EXPECT_NE(playbook.find("# Written by Tarvello " TARVELLO_VERSION " on 2"),
                std::string::npos);
      EXPECT_EQ(folder.Read(c.files.front().toStdString()).find("ansible_port: 2222") !=
                    std::string::npos,
                c.inventory);
    }
  }
}

}  // namespace
