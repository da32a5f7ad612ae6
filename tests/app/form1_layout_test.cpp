// The window's controls as the design fixes them: kind, parent, place, caption, font, tab
// order, the default button per page and the handlers the controls reach.
#include <QAbstractItemDelegate>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include "testkit/window_fixture.h"
#include "wizard/wizard_handlers.h"

namespace {

struct ControlRow {
  const char* name;
  const char* kind;  // Qt class the control is made of
  const char* parent;
  QRect geometry;  // empty size: sized to its text
  const char* caption;
  int fontPixels;
};

const ControlRow kControls[] = {
    {"TopBannerPanel", "QWidget", "Form1", {0, 0, 588, 65}, "", 12},
    {"TopBannerImage", "QLabel", "TopBannerPanel", {368, 4, 210, 58}, "", 12},
    {"LabelStepStatus",
     "QLabel",
     "TopBannerPanel",
     {8, 24, 0, 0},
     "Step 1 of 2: Select and log in to your switch",
     15},
    {"BottomBannerPanel", "QWidget", "Form1", {0, 478, 588, 83}, "", 12},
    {"BottomBannerImage", "QLabel", "BottomBannerPanel", {0, 0, 588, 83}, "", 12},
    {"PageControl1", "QStackedWidget", "Form1", {0, 65, 588, 413}, "", 12},
    {"GroupBox1", "QGroupBox", "TabSheet_Login", {4, 0, 569, 337}, "Switch details", 12},
    {"Label1",
     "QLabel",
     "GroupBox1",
     {96, 30, 0, 0},
     "Enter the hostname or IP address of the Cisco switch you want to configure.",
     12},
    {"Label2", "QLabel", "GroupBox1", {96, 69, 0, 0}, "Hostname or IP address", 12},
    {"Page1_ComboBox_IPAddress", "QComboBox", "GroupBox1", {239, 64, 205, 23}, "", 12},
    {"Label3",
     "QLabel",
     "GroupBox1",
     {96, 106, 0, 0},
     "Enter the telnet credentials of a user account on the switch.",
     12},
    {"Label4", "QLabel", "GroupBox1", {96, 144, 0, 0}, "Username", 12},
    {"Page1_EditUsername", "QLineEdit", "GroupBox1", {239, 140, 205, 23}, "", 12},
    {"Label5", "QLabel", "GroupBox1", {96, 186, 0, 0}, "Password", 12},
    {"Page1_EditPassword", "QLineEdit", "GroupBox1", {239, 182, 205, 23}, "", 12},
    {"Page1_CheckBoxEnablePassword",
     "QCheckBox",
     "GroupBox1",
     {96, 229, 259, 17},
     "Switch uses an enable password",
     12},
    {"Page1_LabelEnablePassword", "QLabel", "GroupBox1", {96, 270, 0, 0}, "Enable password", 12},
    {"Page1_EditEnablePassword", "QLineEdit", "GroupBox1", {239, 266, 205, 23}, "", 12},
    {"Page1_ButtonHelp", "QPushButton", "TabSheet_Login", {4, 365, 89, 25}, "&Help", 12},
    {"Page1_SpeedButtonConnect",
     "QPushButton",
     "TabSheet_Login",
     {341, 365, 89, 25},
     "&Connect",
     12},
    {"Page1_SpeedButtonCancel", "QPushButton", "TabSheet_Login", {484, 365, 89, 25}, "E&xit", 12},
    {"Page2_MemoConnectingStatus",
     "QPlainTextEdit",
     "TabSheet_Connecting",
     {8, 40, 561, 273},
     "",
     12},
    {"Page2_ButtonHelp", "QPushButton", "TabSheet_Connecting", {4, 365, 89, 25}, "&Help", 12},
    {"Page2_SpeedButtonConnect",
     "QPushButton",
     "TabSheet_Connecting",
     {341, 365, 89, 25},
     "&Connect",
     12},
    {"Page2_SpeedButtonCancel",
     "QPushButton",
     "TabSheet_Connecting",
     {484, 365, 89, 25},
     "E&xit",
     12},
    {"SPANGroupBox", "QGroupBox", "TabSheet_SPANSessions", {4, 0, 572, 259}, "SPAN Sessions", 13},
    {"Panel1", "QWidget", "SPANGroupBox", {2, 18, 568, 239}, "", 13},
    {"Panel3", "QWidget", "Panel1", {5, 5, 558, 41}, "", 13},
    {"Label7", "QLabel", "Panel3", {6, 12, 0, 0}, "Session Number", 12},
    {"Page3_ComboBoxSessions", "QComboBox", "Panel3", {109, 8, 190, 23}, "", 12},
    {"Page3_SessionInterfacesCountLabel", "QLabel", "Panel3", {304, 12, 252, 15}, " ", 13},
    {"Panel6", "QWidget", "Panel1", {5, 46, 558, 162}, "", 13},
    {"Page3_PortsStringGrid", "TTextGrid", "Panel6", {0, 0, 558, 162}, "", 12},
    {"Page3_SessionHealthLabel", "QLabel", "Panel1", {5, 210, 558, 29}, "", 12},
    {"InlinePanel", "QWidget", "Panel6", {480, 120, 23, 22}, "", 13},
    {"InlineButton", "QToolButton", "InlinePanel", {0, 0, 23, 22}, "", 13},
    {"GroupBox2", "QGroupBox", "TabSheet_SPANSessions", {3, 268, 573, 85}, "Advanced settings", 13},
    {"Page3_CheckBoxEnableAdvancedSettings",
     "QCheckBox",
     "GroupBox2",
     {8, 24, 209, 17},
     "Enable advanced settings",
     13},
    {"Page3_AdvSettingsPanel", "QWidget", "GroupBox2", {2, 45, 569, 38}, "", 13},
    {"Page3_AdvSettings_LabelVLAN",
     "QLabel",
     "Page3_AdvSettingsPanel",
     {8, 8, 0, 0},
     "VLAN Filter [1..4094]",
     12},
    {"Page3_EditVLANFilter", "QLineEdit", "Page3_AdvSettingsPanel", {129, 4, 97, 23}, "", 12},
    {"Page3_AdvSettings_LabelEnc",
     "QLabel",
     "Page3_AdvSettingsPanel",
     {238, 8, 0, 0},
     "Destination Encapsulation",
     12},
    {"Page3_EncapsulationComboBox",
     "QComboBox",
     "Page3_AdvSettingsPanel",
     {397, 4, 159, 23},
     "",
     12},
    {"Page3_InlineStringGrid", "TTextGrid", "TabSheet_SPANSessions", {168, 75, 273, 113}, "", 12},
    {"Page3_ButtonHelp", "QPushButton", "TabSheet_SPANSessions", {4, 365, 89, 25}, "&Help", 12},
    {"Page3_SpeedButtonApply",
     "QPushButton",
     "TabSheet_SPANSessions",
     {151, 365, 163, 25},
     "&Apply changes to switch",
     12},
    {"Page3_SpeedButtonRefresh",
     "QPushButton",
     "TabSheet_SPANSessions",
     {329, 365, 89, 25},
     "&Refresh",
     12},
    {"SpeedButtonExit", "QPushButton", "TabSheet_SPANSessions", {484, 365, 92, 25}, "E&xit", 12},
};

QString CaptionOf(QWidget* control) {
  if (auto* label = qobject_cast<QLabel*>(control)) {
    return label->text();
  }
  if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    return button->text();
  }
  if (auto* box = qobject_cast<QGroupBox*>(control)) {
    return box->title();
  }
  return {};
}

bool IsKind(QWidget* control, const char* kind) {
  if (std::string(kind) == "TTextGrid") {
    return dynamic_cast<TTextGrid*>(control) != nullptr;
  }
  return std::string(control->metaObject()->className()) == kind;
}

// Widgets the Tab key reaches on the page, in order, starting from its first.
std::vector<std::string> TabChain(QWidget* page, QWidget* first) {
  std::vector<std::string> names;
  QWidget* widget = first;
  do {
    if ((widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && widget->isVisibleTo(page) &&
        widget->isEnabled() && page->isAncestorOf(widget) &&
        !qobject_cast<QComboBox*>(widget->parentWidget())) {  // an editable box's own field
      names.push_back(widget->objectName().toStdString());
    }
    widget = widget->nextInFocusChain();
  } while (widget != first);
  return names;
}

class CountingHandlers : public TWizardHandlers {
 public:
  void FormShow() override { calls.push_back("FormShow"); }
  void Page1_SpeedButtonConnectClick() override { calls.push_back("Connect"); }
  void Page1_CheckBoxEnablePasswordClick() override { calls.push_back("EnablePassword"); }
  void Page3_SpeedButtonApplyClick() override { calls.push_back("Apply"); }
  void Page3_SpeedButtonRefreshClick() override { calls.push_back("Refresh"); }
  void ExitClick() override { calls.push_back("Exit"); }
  void Page1_SpeedButtonAboutClick() override { calls.push_back("Help"); }
  void Page3_SpeedButtonMirrorClick() override { calls.push_back("Mirror"); }
  void Page3_SpeedButtonStopMirroringClick() override { calls.push_back("StopMirroring"); }
  void Page3_SpeedButtonOtherSwitchClick() override { calls.push_back("OtherSwitch"); }
  void Page4_SpeedButtonBackClick() override { calls.push_back("Back"); }
  bool FormCloseQuery() override {
    calls.push_back("CloseQuery");
    return allowClose;
  }
  std::vector<std::string> calls;
  bool allowClose = false;
};

using LayoutTest = WindowTest;

TEST_F(LayoutTest, EveryControlHasItsKindParentPlaceCaptionAndFont) {
  for (const ControlRow& row : kControls) {
    SCOPED_TRACE(row.name);
    auto* control = Find<QWidget>(row.name);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(IsKind(control, row.kind)) << control->metaObject()->className();
    EXPECT_EQ(control->parentWidget()->objectName().toStdString(), row.parent);
    if (row.geometry.isEmpty()) {
      EXPECT_EQ(control->pos(), row.geometry.topLeft());
    } else {
      EXPECT_EQ(control->geometry(), row.geometry);
    }
    if (*row.caption != '\0') {
      EXPECT_EQ(CaptionOf(control).toStdString(), row.caption);
    }
    EXPECT_EQ(control->font().pixelSize(), row.fontPixels);
    EXPECT_EQ(control->font().family().toStdString(), "Arial");
    EXPECT_FALSE(control->accessibleName().contains(QLatin1Char('&')));
  }
}

TEST_F(LayoutTest, WindowIsFixedSilverAndDrawnInLiberationSans) {
  EXPECT_EQ(form_->size(), QSize(588, 561));
  EXPECT_EQ(form_->minimumSize(), form_->maximumSize());
  EXPECT_FALSE(form_->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(form_->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(form_->windowTitle().toStdString(), "Tarvello");
  EXPECT_EQ(form_->palette().color(QPalette::Window), QColor(192, 192, 192));
  EXPECT_EQ(QFontInfo(Find<QWidget>("Page3_PortsStringGrid")->font()).family().toStdString(),
            "Liberation Sans");
  EXPECT_TRUE(QFontInfo(Find<QLabel>("LabelStepStatus")->font()).bold());
  EXPECT_EQ(Find<QLineEdit>("Page1_EditPassword")->echoMode(), QLineEdit::Password);
  EXPECT_FALSE(Find<QLineEdit>("Page1_EditEnablePassword")->isEnabled());
  EXPECT_FALSE(Find<QPushButton>("Page2_SpeedButtonConnect")->isEnabled());
  form_->SetAddressEntries({"sw1"});
  for (const char* name :
       {"Page1_ComboBox_IPAddress", "Page3_ComboBoxSessions", "Page3_EncapsulationComboBox"}) {
    auto* box = Find<QComboBox>(name);
    box->addItem("x");
    EXPECT_EQ(box->itemDelegate()->sizeHint({}, box->model()->index(0, 0)).height(), 15) << name;
  }
  EXPECT_EQ(Find<QComboBox>("Page1_ComboBox_IPAddress")->maxVisibleItems(), 32);
  EXPECT_EQ(Find<QComboBox>("Page3_ComboBoxSessions")->maxVisibleItems(), 24);
}

TEST_F(LayoutTest, PagesAreInOrderAndTheDesignShowsTheSessionPage) {
  auto* pages = Find<QStackedWidget>("PageControl1");
  ASSERT_EQ(pages->count(), 4);
  EXPECT_EQ(pages->widget(0)->objectName(), "TabSheet_Login");
  EXPECT_EQ(pages->widget(1)->objectName(), "TabSheet_Connecting");
  EXPECT_EQ(pages->widget(2)->objectName(), "TabSheet_SPANSessions");
  EXPECT_EQ(pages->widget(3)->objectName(), "TabSheet_OtherSwitch");
  EXPECT_EQ(pages->currentIndex(), 2);
  EXPECT_FALSE(Chooser()->isVisible());
  EXPECT_TRUE(Find<QWidget>("InlinePanel")->isVisible());
  EXPECT_TRUE(Find<QWidget>("Page3_AdvSettingsPanel")->isVisible());
  EXPECT_TRUE(form_->SessionLoading());
}

TEST_F(LayoutTest, TabOrderSkipsTheChooserTheArrowButtonAndTheStatusBox) {
  struct {
    int page;
    const char* first;
    std::vector<std::string> chain;
  } const cases[] = {
      {0,
       "Page1_ComboBox_IPAddress",
       {"Page1_ComboBox_IPAddress", "Page1_EditUsername", "Page1_EditPassword",
        "Page1_CheckBoxEnablePassword", "Page1_ButtonHelp", "Page1_SpeedButtonConnect",
        "Page1_SpeedButtonCancel"}},
      {1, "Page2_ButtonHelp", {"Page2_ButtonHelp", "Page2_SpeedButtonCancel"}},
      {2,
       "Page3_ComboBoxSessions",
       {"Page3_ComboBoxSessions", "Page3_PortsStringGrid", "Page3_CheckBoxEnableAdvancedSettings",
        "Page3_EditVLANFilter", "Page3_EncapsulationComboBox", "Page3_ButtonHelp",
        "Page3_SpeedButtonApply", "Page3_SpeedButtonRefresh", "SpeedButtonExit"}},
  };
  auto* pages = Find<QStackedWidget>("PageControl1");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.page);
    form_->SelectPage(c.page);
    EXPECT_EQ(TabChain(pages->widget(c.page), Find<QWidget>(c.first)), c.chain);
  }
  // Typed Tabs follow the same chain on the session page.
  form_->SelectPage(2);
  Find<QWidget>("Page3_ComboBoxSessions")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), Grid());
}

TEST_F(LayoutTest, EnterClicksConnectOnTheLogInPageOnly) {
  CountingHandlers handlers;
  form_->SetHandlers(&handlers);
  const char* fields[] = {"Page1_ComboBox_IPAddress", "Page1_EditUsername", "Page1_EditPassword",
                          "Page1_CheckBoxEnablePassword"};
  form_->SelectPage(0);
  for (const char* field : fields) {
    SCOPED_TRACE(field);
    handlers.calls.clear();
    Find<QWidget>(field)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(handlers.calls, std::vector<std::string>{"Connect"});
  }
  EXPECT_EQ(Find<QComboBox>("Page1_ComboBox_IPAddress")->count(), 0);  // Enter adds no entry
  for (int page : {1, 2}) {
    SCOPED_TRACE(page);
    form_->SelectPage(page);
    handlers.calls.clear();
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : form_.get(),
                    Qt::Key_Return);
    EXPECT_EQ(std::count(handlers.calls.begin(), handlers.calls.end(), "Connect"), 0);
    EXPECT_FALSE(Find<QPushButton>("Page1_SpeedButtonConnect")->isDefault());
  }
  form_->SetHandlers(nullptr);
}

TEST_F(LayoutTest, ControlsReachTheirWizardHandlers) {
  CountingHandlers handlers;
  form_->SetHandlers(&handlers);
  const struct {
    int page;
    const char* button;
    const char* call;
  } cases[] = {
      {0, "Page1_SpeedButtonConnect", "Connect"},
      {0, "Page1_ButtonHelp", "Help"},
      {0, "Page1_SpeedButtonCancel", "Exit"},
      {1, "Page2_ButtonHelp", "Help"},
      {1, "Page2_SpeedButtonCancel", "Exit"},
      {2, "Page3_ButtonHelp", "Help"},
      {2, "Page3_SpeedButtonApply", "Apply"},
      {2, "Page3_SpeedButtonRefresh", "Refresh"},
      {2, "SpeedButtonExit", "Exit"},
      {2, "Page3_SpeedButtonMirror", "Mirror"},
      {2, "Page3_SpeedButtonStopMirroring", "StopMirroring"},
      {2, "Page3_SpeedButtonOtherSwitch", "OtherSwitch"},
      {3, "Page4_SpeedButtonBack", "Back"},
      {3, "Page4_SpeedButtonApply", "Apply"},
      {3, "Page4_SpeedButtonExit", "Exit"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    form_->SelectPage(c.page);
    Find<QPushButton>(c.button)->show();  // the title row's buttons show by the session
    handlers.calls.clear();
    QTest::mouseClick(Find<QPushButton>(c.button), Qt::LeftButton);
    EXPECT_EQ(handlers.calls, std::vector<std::string>{c.call});
  }
  handlers.calls.clear();
  form_->SelectPage(0);
  QTest::mouseClick(Find<QCheckBox>("Page1_CheckBoxEnablePassword"), Qt::LeftButton);
  Find<QCheckBox>("Page1_CheckBoxEnablePassword")->setChecked(false);  // from code counts too
  EXPECT_EQ(handlers.calls, (std::vector<std::string>{"EnablePassword", "EnablePassword"}));

  // The close guard decides; a refused close keeps the window.
  handlers.calls.clear();
  form_->CloseWindow();
  EXPECT_EQ(handlers.calls, std::vector<std::string>{"CloseQuery"});
  EXPECT_TRUE(form_->isVisible());
  QTest::keyClick(form_.get(), Qt::Key_Escape);
  EXPECT_TRUE(form_->isVisible());
  handlers.allowClose = true;
  form_->CloseWindow();
  EXPECT_FALSE(form_->isVisible());
  form_->SetHandlers(nullptr);
}

TEST(FirstShowTest, RunsFormShowOnceAndPutsTheFocusInTheAddressBox) {
  struct ShowingHandlers : CountingHandlers {
    TForm1* form = nullptr;
    void FormShow() override {
      CountingHandlers::FormShow();
      form->SelectPage(0);
    }
  } handlers;
  TForm1 form;
  handlers.form = &form;
  form.SetHandlers(&handlers);
  form.show();
  QApplication::setActiveWindow(&form);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), "Page1_ComboBox_IPAddress");
  form.hide();
  form.show();
  EXPECT_EQ(handlers.calls, std::vector<std::string>{"FormShow"});
  form.SetHandlers(nullptr);
}

TEST_F(LayoutTest, BothBannersOpenTheProductPageAndChangeNothingElse) {
  std::vector<QString> opened;
  form_->SetUrlOpener([&](const QUrl& url) { opened.push_back(url.toString()); });
  form_->SelectPage(1);
  QTest::mouseClick(Find<QWidget>("TopBannerImage"), Qt::LeftButton);
  QTest::mouseClick(Find<QWidget>("BottomBannerImage"), Qt::LeftButton);
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], opened[1]);
  EXPECT_TRUE(opened[0].endsWith("/use-your-span-port"));
  EXPECT_EQ(Find<QStackedWidget>("PageControl1")->currentIndex(), 1);
  EXPECT_EQ(Find<QWidget>("TopBannerImage")->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(LayoutTest, EnablePasswordFieldColoursFollowItsState) {
  auto* field = Find<QLineEdit>("Page1_EditEnablePassword");
  auto* label = Find<QLabel>("Page1_LabelEnablePassword");
  field->setText("secret");
  form_->SetEnablePasswordFieldEnabled(true);
  EXPECT_TRUE(field->isEnabled());
  EXPECT_EQ(field->palette().color(QPalette::Base), QColor(Qt::white));
  EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 0));
  form_->SetEnablePasswordFieldEnabled(false);
  EXPECT_FALSE(field->isEnabled());
  EXPECT_EQ(field->palette().color(QPalette::Disabled, QPalette::Base), QColor(192, 192, 192));
  EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(128, 128, 128));
  EXPECT_EQ(form_->EnablePasswordText(), "secret");
}

}  // namespace
