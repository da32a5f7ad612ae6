// The session page's kind and RSPAN VLAN drop-downs: what a session is, which VLAN an RSPAN end
// sends to or takes from, and the dialog that adds a new RSPAN VLAN to the change.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <algorithm>

#include "app/form1.h"
#include "app/new_rspan_vlan_dialog.h"
#include "app/session_fill.h"
#include "app/text_grid.h"
#include "model/sessionlist.h"
#include "support/text_helpers.h"

void TForm1::Page3_SessionKindComboBoxChange() {
  const int session = SelectedSession();
  const int index = Page3_SessionKindComboBox->currentIndex();
  const std::vector<TSessionKindItem> kinds = SessionKindItems();
  if (sessionLoading_ || session == 0 || index < 0 || index >= static_cast<int>(kinds.size())) {
    return;
  }
  TSwitchModel& model = DefaultSwitchModel();
  const TSessionKind kind = kinds[static_cast<size_t>(index)].Kind;
  const std::vector<std::string> before = RspanWarnings(model);
  std::string refusal;
  if (!CheckSessionKind(model, session, kind, refusal)) {
    ShowKindSettings(session);
    ShowMessage(refusal);
    return;
  }
  // An RSPAN end keeps its VLAN, or takes the first one it may.
  SetSessionKind(model, session, kind, SPANSessions.Items[session].RspanVlan);
  SetSessionKind(model, session, kind,
                 kind == TSessionKind::Local ? "" : AllowedRspanVlan(model, session));
  // The VLAN drop-down stands in the panel.
  if (kind != TSessionKind::Local) {
    Page3_CheckBoxEnableAdvancedSettings->setChecked(true);
  }
  ShowRspanEdit(session, before);
}

void TForm1::Page3_RspanVlanComboBoxChange() {
  const int session = SelectedSession();
  const int index = Page3_RspanVlanComboBox->currentIndex();
  if (sessionLoading_ || session == 0 || index < 0) {
    return;
  }
  TSwitchModel& model = DefaultSwitchModel();
  const std::vector<std::string> before = RspanWarnings(model);
  std::string vlan = Page3_RspanVlanComboBox->itemData(index).toString().toStdString();
  // "New RSPAN VLAN...": the dialog adds it to the change.
  if (vlan.empty()) {
    vlan = AskForNewRspanVlan();
    if (vlan.empty()) {
      ShowKindSettings(session);
      return;
    }
  }
  std::string refusal;
  if (!CheckRspanVlan(model, session, vlan, refusal)) {
    ShowKindSettings(session);
    ShowMessage(refusal);
    return;
  }
  SetSessionKind(model, session, SPANSessions.Items[session].Kind, vlan);
  ShowRspanEdit(session, before);
}

std::string TForm1::AskForNewRspanVlan() {
  TSwitchModel& model = DefaultSwitchModel();
  const auto check = [&model](const std::string& number, const std::string& name) {
    std::string refusal;
    CheckNewRspanVlan(model, number, name, refusal);
    return refusal;
  };
  std::string number;
  std::string name;
  if (!AskNewRspanVlan(this, check, answerer_, number, name)) {
    return "";
  }
  const std::string vlan = Trim(number);
  AddNewRspanVlan(model, std::stoi(vlan), name);
  return vlan;
}

void TForm1::ShowRspanEdit(int session, const std::vector<std::string>& before) {
  // An RSPAN end drops the filter or the encapsulation it does not take.
  const TSPANSession& settings = SPANSessions.Items[session];
  {
    const QSignalBlocker quiet(Page3_EditVLANFilter);
    Page3_EditVLANFilter->setText(QString::fromStdString(settings.FilterVLANs));
  }
  Page3_EncapsulationComboBox->setCurrentIndex(EncapsulationIndex(settings.Encapsulation));
  FillRoleColumn(*first_.Grid, DefaultSwitchModel(), session);
  ShowKindSettings(session);
  Page3_CheckBoxEnableAdvancedSettingsClick();
  UpdateSessionCaption(first_, session);
  ShowNewWarnings(DefaultSwitchModel(), before);
}

void TForm1::ShowNewWarnings(const TSwitchModel& model, const std::vector<std::string>& before) {
  std::string text;
  for (const std::string& warning : RspanWarnings(model)) {
    if (std::find(before.begin(), before.end(), warning) == before.end()) {
      text += (text.empty() ? "" : "\n\r\n\r") + warning;
    }
  }
  if (!text.empty()) {
    ShowMessage(text);
  }
}
