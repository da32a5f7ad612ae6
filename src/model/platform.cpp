#include <string>
#include <string_view>
#include <vector>

#include "model/listing_words.h"
#include "model/switch_model_ops.h"
#include "support/text_helpers.h"

namespace {

// Sessions with sources each family allows, by the model number's family ("WS-C" or "C" cut
// off). Longer families first, so that 2960X is not taken for a 2960.
struct Family {
  std::string_view prefix;
  int sourceSessions;
};
const Family kFamilies[] = {
    {"2960X", 4}, {"2960", 2}, {"3560", 2}, {"3750", 2},
    {"3650", 8},  {"3850", 8}, {"9300", 8}, {"9500", 8},
};

int SourceSessionsOf(std::string_view model) {
  if (model.starts_with("WS-C")) {
    model.remove_prefix(4);
  } else if (model.starts_with("C")) {
    model.remove_prefix(1);
  }
  for (const Family& family : kFamilies) {
    if (model.starts_with(family.prefix)) {
      return family.sourceSessions;
    }
  }
  return 0;
}

// "Model number : WS-C2960-24TT-L" (IOS) or "Model Number : C9300-48P" (IOS-XE).
std::string_view ModelNumberField(std::string_view line) {
  std::string_view value = line;
  std::string_view label;
  if (CutAtMarker(":", value, label) && LowerCase(label) == "model number") {
    return value;
  }
  return {};
}

// "cisco WS-C3750-48P (PowerPC405) processor ..." : the word after "cisco".
std::string_view ProcessorLineModel(std::string_view line) {
  std::string_view rest = line;
  std::string_view first;
  if (!SplitFirstWord(rest, first) || LowerCase(first) != "cisco" ||
      FindWord(rest, "processor") == std::string_view::npos) {
    return {};
  }
  std::string_view model;
  SplitFirstWord(rest, model);
  return model;
}

// Banner texts and the system each names. IOS XR's banner does not hold IOS's, so the order
// does not matter within a line.
struct Banner {
  std::string_view text;
  TSwitchSystem system;
};
const Banner kBanners[] = {
    {"Cisco IOS Software", TSwitchSystem::Ios},
    {"Cisco IOS XE Software", TSwitchSystem::Ios},
    {"IOS (tm)", TSwitchSystem::Ios},
    {"IOS-XE", TSwitchSystem::Ios},
    {"Cisco IOS XR Software", TSwitchSystem::IosXr},
    {"Cisco Nexus Operating System (NX-OS) Software", TSwitchSystem::NxOs},
    {"Cisco Adaptive Security Appliance Software", TSwitchSystem::Asa},
};

// The system the first line that names one names: the banner heads the reply.
TSwitchSystem SystemOf(const std::vector<std::string_view>& lines) {
  for (const std::string_view line : lines) {
    for (const Banner& banner : kBanners) {
      if (line.find(banner.text) != std::string_view::npos) {
        return banner.system;
      }
    }
  }
  return TSwitchSystem::NotNamed;
}

}  // namespace

TSwitchPlatform ParseShowVersion(const std::string& text) {
  const std::vector<std::string_view> lines = SplitLineViews(text);
  std::string_view model;
  for (const std::string_view line : lines) {
    model = ModelNumberField(TrimView(line));
    if (!model.empty()) {
      break;
    }
  }
  for (auto line = lines.begin(); model.empty() && line != lines.end(); ++line) {
    model = ProcessorLineModel(TrimView(*line));
  }
  TSwitchPlatform platform{std::string(model), SourceSessionsOf(model), SystemOf(lines)};
  // The image name says it: "C2960-LANLITEK9-M", "c2960-lanlitek9-mz.150-2.SE11.bin".
  platform.LanLite = LowerCase(text).find("lanlite") != std::string::npos;
  return platform;
}

int SourceSessionLimit(const TSwitchModel& model) {
  if (model.SwitchPlatform.SourceSessions > 0) {
    return model.SwitchPlatform.SourceSessions;
  }
  // An unknown switch that lists only sessions 1 and 2 is taken for the two-session switches
  // Tarvello has always served; one that lists more has an unknown limit, left to the switch.
  for (const auto& [number, session] : model.SPANSessions.Items) {
    if (number > 2) {
      return NoSessionLimit;
    }
  }
  return 2;
}
