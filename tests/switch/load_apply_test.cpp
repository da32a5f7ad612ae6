// Loading the configuration into the model and applying edits, end to end.
#include <map>
#include <memory>
#include <utility>

#include "model/global_vars.h"
#include "model/sessionlist.h"
#include "scripted_peer.h"
#include "testkit/session_fixture.h"

namespace {

using Roles = std::pair<std::string, std::string>;  // role in session 1, role in session 2

std::string RoleText(simswitch::SpanDirection direction) {
  switch (direction) {
    case simswitch::SpanDirection::Rx:
      return "Ingress";
    case simswitch::SpanDirection::Tx:
      return "Egress";
    case simswitch::SpanDirection::Both:
      return "Both";
  }
  return "";
}

// Every entry the switch has, with the roles its SPAN state gives it, keyed by name.
std::map<std::string, Roles> RolesOnSwitch(const simswitch::DeviceData& device,
                                           const simswitch::SpanState& span) {
  std::map<std::string, Roles> roles;
  for (const auto& vlan : device.vlans) {
    if (vlan.status == "active") {
      roles[std::to_string(vlan.number)] = {"None", "None"};
    }
  }
  for (const auto& interface : device.interfaces) {
    roles[interface.name] = {"None", "None"};
  }
  for (const auto& [number, session] : span) {
    // A copy: clang 14 cannot capture a structured binding.
    const bool first = number == 1;
    auto set = [&roles, first](const std::string& name, const std::string& role) {
      (first ? roles[name].first : roles[name].second) = role;
    };
    for (const auto& [name, direction] : session.sourceInterfaces) {
      set(name, RoleText(direction));
    }
    for (const auto& [vlan, direction] : session.sourceVlans) {
      set(std::to_string(vlan), RoleText(direction));
    }
    for (const auto& name : session.destinations) {
      set(name, "Destination");
    }
  }
  return roles;
}

std::map<std::string, Roles> RolesInModel() {
  std::map<std::string, Roles> roles;
  for (int k = 1; k <= Ports.Count; ++k) {
    roles[Ports.Items[k].Name] = {Ports.Items[k].SpanTypes[1].SpanType,
                                  Ports.Items[k].SpanTypes[2].SpanType};
  }
  return roles;
}

std::string Describe(const std::map<std::string, Roles>& roles) {
  std::string text;
  for (const auto& [name, role] : roles) {
    if (role.first != "None" || role.second != "None") {
      text += "  " + name + ": " + role.first + " / " + role.second + "\n";
    }
  }
  return text;
}

using LoadTest = SwitchSessionTest;

TEST_F(LoadTest, FillsTheModelFromTheSwitch) {
  // A user-mode login leaves the answer to "terminal length 0" unread; the first show command
  // must skip it.
  simswitch::SimulatedSwitch sim(SwitchOptions());
  PointAt(sim);
  auto session = Connect();
  ASSERT_TRUE(session->Connected());

  const std::string reply = session->SendCommand("show interface status");
  EXPECT_NE(reply.find("show interface status"), std::string::npos) << reply;
  EXPECT_EQ(reply.find("terminal length"), std::string::npos) << reply;

  ASSERT_TRUE(session->GetPortsList());
  ASSERT_TRUE(session->GetSPANSessionsList());

  const simswitch::DeviceData device = simswitch::DefaultDevice();
  const auto expected = RolesOnSwitch(device, sim.Span());
  EXPECT_EQ(RolesInModel(), expected) << "model:\n"
                                      << Describe(RolesInModel()) << "switch:\n"
                                      << Describe(expected);
  ASSERT_EQ(static_cast<size_t>(Ports.Count), expected.size());
  // VLANs first, then the interfaces in listing order.
  EXPECT_EQ(Ports.Items[1].Kind, "vlan");
  EXPECT_EQ(Ports.Items[1].Name, "1");
  const int firstInterface = Ports.Count - static_cast<int>(device.interfaces.size()) + 1;
  for (size_t i = 0; i < device.interfaces.size(); ++i) {
    const TPort& entry = Ports.Items[firstInterface + static_cast<int>(i)];
    EXPECT_EQ(entry.Name, device.interfaces[i].name);
    EXPECT_EQ(entry.Kind, "interface");
  }
  EXPECT_EQ(SPANSessions.Count, 2);
  EXPECT_EQ(SPANSessions.Items[1].Encapsulation, "Native");
  EXPECT_EQ(SPANSessions.Items[2].Encapsulation, "Replicate");
  EXPECT_EQ(SPANSessions.LocalSessionLimit, 2);
  EXPECT_TRUE(DefaultSwitchModel().RspanFacts.Known);
  EXPECT_EQ(DefaultSwitchModel().RspanFacts.Vtp.Mode, TVtpMode::Server);

  // The platform is asked once, before the first listing of the sessions; a refresh reuses it.
  ASSERT_TRUE(session->GetPortsList());
  ASSERT_TRUE(session->GetSPANSessionsList());
  std::vector<std::string> shows;
  for (const std::string& line : sim.ReceivedLines()) {
    if (line.rfind("show ", 0) == 0) {
      shows.push_back(line);
    }
  }
  EXPECT_EQ(shows, (std::vector<std::string>{
                       "show interface status", "show interface status",
                       "show vlan brief  | inc active", "show version", "show vlan remote-span",
                       "show vtp status", "show monitor session all", "show interface status",
                       "show vlan brief  | inc active", "show vlan remote-span", "show vtp status",
                       "show monitor session all"}));
}

TEST_F(LoadTest, StatusWordsInsideNamesNeitherAddNorCutEntries) {
  simswitch::Options options = PrivilegedSwitchOptions();
  // "| inc active" passes these lines too; only the status word tells them apart.
  options.device.vlans.push_back({40, "Inactive-Users", "suspended"});
  options.device.vlans.push_back({41, "Lab-Inactive", "act/lshut"});
  options.device.vlans.push_back({50, "my-active-vlan", "active"});
  options.device.interfaces[4].description = "to disconnected";
  options.device.interfaces[4].status = "connected";
  simswitch::SimulatedSwitch sim(options);
  PointAt(sim);
  auto session = ConnectAndLoad();

  EXPECT_EQ(FindPort(DefaultSwitchModel(), "40"), 0);
  EXPECT_EQ(FindPort(DefaultSwitchModel(), "41"), 0);
  ASSERT_NE(FindPort(DefaultSwitchModel(), "50"), 0);
  EXPECT_EQ(Ports.Items[FindPort(DefaultSwitchModel(), "50")].Description, "my-active-vlan");
  EXPECT_EQ(
      Ports.Items[FindPort(DefaultSwitchModel(), options.device.interfaces[4].name)].Description,
      "to disconnected");
}

// The same edits over either transport: the script, the switch's state and the reload agree.
// A long host name is shown cut short in configuration mode, as IOS does.
TEST_F(LoadTest, ApplyRoundTrip) {
  for (const auto& [overSsh, hostname] : {std::pair{false, "Switch"}, std::pair{true, "Switch"},
                                          std::pair{false, "BLDG4-FLOOR2-IDF-ACCESS-SW01"},
                                          std::pair{true, "BLDG4-FLOOR2-IDF-ACCESS-SW01"}}) {
    SCOPED_TRACE(std::string(overSsh ? "ssh" : "telnet") + " to " + hostname);
    simswitch::Options options = overSsh ? SshSwitchOptions() : SwitchOptions();
    options.privilegedLogin = true;
    options.device.hostname = hostname;
    simswitch::SimulatedSwitch sim(options);
    if (overSsh) {
      PointAtSsh(sim);
    } else {
      PointAt(sim);
    }
    auto session = ConnectAndLoad();
    ASSERT_GT(Ports.Count, 0);

    // Edits as the session page makes them: each role change asked first.
    const struct {
      int session;
      std::string name;
      std::string role;
    } edits[] = {
        {1, "Fa0/1", "None"},
        {1, "Fa0/5", "Egress"},
        {1, "Fa0/6", "Both"},
        {2, "20", "None"},
        {2, "10", "Both"},
        {2, "Fa0/48", "None"},
        {2, "Fa0/47", "Destination"},
    };
    for (const auto& edit : edits) {
      std::string message;
      ASSERT_TRUE(CheckSpanType(edit.session, edit.name, edit.role, message))
          << edit.name << " -> " << edit.role << ": " << message;
      ASSERT_NE(FindPort(DefaultSwitchModel(), edit.name), 0) << edit.name;
      SetSpanType(FindPort(DefaultSwitchModel(), edit.name), edit.session, edit.role);
    }
    SetSessionSettings(1, "Replicate", "10,20");
    const auto wanted = RolesInModel();

    std::vector<std::string> script;
    BuildConfigScript(script);
    ASSERT_FALSE(script.empty());
    EXPECT_TRUE(session->RunScript(script)) << session->ScriptRefusal();
    EXPECT_EQ(sim.SessionsInConfigMode(), 0u);
    EXPECT_EQ(sim.ConfigLines(), script) << "sent:\n"
                                         << Joined(script) << "received:\n"
                                         << Joined(sim.ConfigLines());

    ASSERT_TRUE(session->GetPortsList());
    ASSERT_TRUE(session->GetSPANSessionsList());
    EXPECT_EQ(RolesInModel(), wanted) << "reloaded:\n"
                                      << Describe(RolesInModel()) << "wanted:\n"
                                      << Describe(wanted) << "script:\n"
                                      << Joined(script);
    EXPECT_EQ(SPANSessions.Items[1].Encapsulation, "Replicate");
    EXPECT_EQ(SPANSessions.Items[1].FilterVLANs, "10,20");
    EXPECT_FALSE(HasChanges());
  }
}

TEST_F(LoadTest, ARefusedScriptLineFailsTheRunWithTheSwitchsWords) {
  simswitch::SimulatedSwitch sim(PrivilegedSwitchOptions());
  PointAt(sim);
  auto session = ConnectAndLoad();
  // Fa0/1 is already a source of session 1, so the switch refuses it as a destination; the line
  // after it is still sent and taken.
  const std::vector<std::string> script = {"monitor session 1 destination interface Fa0/1",
                                           "monitor session 1 source interface Fa0/9 rx"};

  EXPECT_FALSE(session->RunScript(script));

  EXPECT_EQ(session->ScriptRefusal(),
            "monitor session 1 destination interface Fa0/1: % Interface(s) Fa0/1 already "
            "configured as monitor sources");
  EXPECT_EQ(sim.ConfigLines(), script);
  EXPECT_EQ(sim.ReceivedLines().back(), "end");
  EXPECT_EQ(sim.Span().at(1).sourceInterfaces.count("Fa0/9"), 1u);

  // A clean run forgets the earlier refusal.
  EXPECT_TRUE(session->RunScript({"monitor session 1 source interface Fa0/10 rx"}));
  EXPECT_EQ(session->ScriptRefusal(), "");
}

// "configure terminal" that fails sends no script line; "end" follows unless the switch answered
// at its exec prompt, where "end" would be taken for a host name.
TEST_F(LoadTest, AFailedConfigureTerminalSendsNoLineAndLeavesNoConfigurationMode) {
  const struct {
    const char* name;
    std::string answer;  // to "configure terminal"
    std::vector<std::string> after;
    std::string refusal;
  } cases[] = {
      {"refused",
       "\r\n% Authorization failed.\r\n\r\nSwitch#",
       {},
       "configure terminal: % Authorization failed."},
      {"answered at a prompt the session cannot read", "\r\nSW(cfg)#", {"end"}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedPeer peer("\r\nUsername: ", [&c](const std::string& line) -> std::string {
      if (line == kTestUser)
        return "\r\nPassword: ";
      if (line == kTestPassword)
        return "\r\nSwitch#";
      if (line == "configure terminal")
        return line + c.answer;
      return line + "\r\nSwitch#";
    });
    SwitchAddress = "127.0.0.1:" + std::to_string(peer.Port());
    UserName = kTestUser;
    Password = kTestPassword;
    auto session = Connect();
    ASSERT_TRUE(session->Connected());

    EXPECT_FALSE(session->RunScript({"monitor session 1 source interface Fa0/1 rx"}));

    EXPECT_EQ(session->ScriptRefusal(), c.refusal);
    std::vector<std::string> lines = {kTestUser, kTestPassword, "terminal length 0",
                                      "configure terminal"};
    lines.insert(lines.end(), c.after.begin(), c.after.end());
    EXPECT_EQ(peer.Lines(), lines);
  }
}

// Two switches in two models, as the two-switch wizard holds them: each loaded through its own
// switch session, both open at once, edited under its own rules and turned into its own lines. An
// operation that read or wrote another model (or the default one) would find no such entry, apply
// the wrong session limit or leak a line into the other script.
TEST_F(LoadTest, TwoModelsSideBySideNeverTouchEachOther) {
  ResetModel();
  struct Row {
    const char* what;
    simswitch::Options options;
    int sourceSessions;  // the platform's limit, from the model's own show version
    int session;
    std::string entry;
    std::string role;
    std::string encapsulation;
    std::string filter;
    std::vector<std::string> lines;
  };
  const Row rows[] = {
      {"2960",
       SwitchOptions(),
       2,
       1,
       "Fa0/5",
       "Ingress",
       "Native",
       "10",
       {"no monitor session 1 destination interface Gi0/2", "no monitor session 1 filter",
        "monitor session 1 filter vlan 10", "monitor session 1 source interface Fa0/5 rx",
        "monitor session 1 destination interface Gi0/2"}},
      {"9300",
       Catalyst9300SwitchOptions(),
       8,
       3,
       "Gi1/0/3",
       "Egress",
       "Replicate",
       "",
       {"no monitor session 3 destination interface Gi1/0/48", "no monitor session 3 filter",
        "monitor session 3 source interface Gi1/0/3 tx",
        "monitor session 3 destination interface Gi1/0/48 enc repl"}},
  };
  // Both switches answer at once and each session loads into its own model.
  std::vector<std::unique_ptr<simswitch::SimulatedSwitch>> switches;
  std::vector<std::unique_ptr<TSwitchModel>> models;
  std::vector<std::unique_ptr<TTelnetConnectionForm>> sessions;
  for (const Row& row : rows) {
    auto& sim = *switches.emplace_back(std::make_unique<simswitch::SimulatedSwitch>(row.options));
    auto& model = *models.emplace_back(std::make_unique<TSwitchModel>());
    PointAt(sim);
    auto& session = *sessions.emplace_back(
        std::make_unique<TTelnetConnectionForm>(model, DefaultSwitchSettings()));
    ASSERT_TRUE(session.Connected()) << row.what;
  }
  for (size_t k = 0; k < models.size(); ++k) {
    ASSERT_TRUE(sessions[k]->GetPortsList() && sessions[k]->GetSPANSessionsList()) << rows[k].what;
    MarkLoaded(*models[k]);
  }
  for (size_t k = 0; k < models.size(); ++k) {
    const Row& row = rows[k];
    TSwitchModel& model = *models[k];
    std::string message;
    ASSERT_TRUE(CheckSpanType(model, row.session, row.entry, row.role, message))
        << row.what << ": " << message;
    SetSpanType(model, FindPort(model, row.entry), row.session, row.role);
    SetSessionSettings(model, row.session, row.encapsulation, row.filter);
  }
  for (size_t k = 0; k < models.size(); ++k) {
    SCOPED_TRACE(rows[k].what);
    EXPECT_EQ(models[k]->SPANSessions.LocalSessionLimit, rows[k].sourceSessions);
    std::vector<std::string> lines;
    BuildConfigScript(*models[k], lines);
    EXPECT_EQ(lines, rows[k].lines) << Joined(lines);
  }
  EXPECT_EQ(Ports.Count, 0);
  EXPECT_EQ(SPANSessions.Count, 0);
  EXPECT_EQ(SwitchPlatform.SourceSessions, 0);
}

}  // namespace

namespace {

// The two-switch wizard asks who the neighbours are and what the trunks between them carry.
TEST_F(LoadTest, NeighbourFactsNameTheOtherSwitchAndTheTrunkBetween) {
  simswitch::Options options = simswitch::AccessSwitchOptions();
  options.userName = SwitchOptions().userName;
  options.password = SwitchOptions().password;
  options.enablePassword = SwitchOptions().enablePassword;
  simswitch::SimulatedSwitch& sim = StartSwitch(options);
  PointAt(sim);
  auto session = Connect();
  ASSERT_TRUE(session->Connected());
  EXPECT_EQ(session->HostName(), "Access-2960");
  ASSERT_TRUE(session->GetNeighbourFacts());
  const TNeighbourFacts& facts = DefaultSwitchModel().NeighbourFacts;
  const TCdpNeighbour* core = NeighbourNamed(facts, "Core-9300");
  ASSERT_NE(core, nullptr);
  EXPECT_EQ(core->LocalInterface, "Gi0/1");
  EXPECT_EQ(core->PortId, "Te1/1/1");
  ASSERT_EQ(facts.Trunks.size(), 1u);
  EXPECT_EQ(facts.Trunks[0].Interface, "Gi0/1");
  EXPECT_TRUE(VlanListHolds(facts.Trunks[0].Allowed, 901));
}

}  // namespace
