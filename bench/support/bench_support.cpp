#include "bench_support.h"

#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/folders.h"

std::string UseTemporaryProgramFolder() {
  std::string folder = (std::filesystem::temp_directory_path() / "tarvello-bench-XXXXXX").string();
  if (mkdtemp(folder.data()) == nullptr) {
    std::perror("mkdtemp");
    return "";
  }
  SetProgramFolder(folder);
  PrepareLogFolder();
  return folder;
}

long StatusKilobytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field + ":", 0) == 0) {
      return std::strtol(line.c_str() + field.size() + 1, nullptr, 10);
    }
  }
  return -1;
}

namespace {

// One line of the full form: the label padded to 25 columns.
std::string Field(const std::string& label, const std::string& value) {
  std::string line = label;
  line.resize(25, ' ');
  return line + ": " + (value.empty() ? "None" : value) + "\r\n";
}

std::string FullFormBlock(int session, const std::string& type, const std::string& sources,
                          const std::string& destination, const std::string& rspanVlan,
                          const std::string& erspanIp) {
  const std::string title = "Session " + std::to_string(session);
  return title + "\r\n" + std::string(title.size(), '-') + "\r\n" + Field("Type", type) +
         Field("Status", "Admin Enabled") + Field("Source Ports", "") +
         Field("    RX Only", sources) + Field("    TX Only", "") + Field("    Both", "") +
         Field("Source Subinterfaces", "") + Field("    RX Only", "") + Field("    Both", "") +
         Field("Source VLANs", "") + Field("    RX Only", "") + Field("    Both", "") +
         Field("Source EFPs", "") + Field("    Both", "") + Field("Source RSPAN VLAN", "") +
         Field("Destination Ports", destination) + Field("    Encapsulation", "Native") +
         Field("          Ingress", "Disabled") + Field("Filter VLANs", "") +
         Field("Filter SGT", "") + Field("Dest RSPAN VLAN", rspanVlan) +
         Field("IP Access-group", "") + Field("MAC Access-group", "") +
         Field("IPv6 Access-group", "") + Field("Destination IP Address", erspanIp) +
         Field("Destination ERSPAN ID", erspanIp.empty() ? "" : "7") +
         Field("Origin IP Address", "") + "\r\n";
}

}  // namespace

std::string SixtySixSessionsListing(int portsPerMember, int rspanVlan) {
  std::string text = "show monitor session all\r\n";
  for (int session = 1; session <= 66; ++session) {
    const std::string member = "Gi" + std::to_string(session) + "/0/";
    std::string sources;
    for (int first = 1; first < portsPerMember; first += 10) {
      const int last = std::min(first + 9, portsPerMember - 1);
      sources += (sources.empty() ? "" : ",") + member + std::to_string(first) + "-" +
                 std::to_string(last);
    }
    const std::string destination = member + std::to_string(portsPerMember);
    if (session <= 60) {
      text += FullFormBlock(session, "Local Session", sources, destination, "", "");
    } else if (session <= 63) {
      text += FullFormBlock(session, "Remote Source Session", sources, "",
                            std::to_string(rspanVlan), "");
    } else {
      text += FullFormBlock(session, "ERSPAN Source Session", sources, "", "", "10.0.0.9");
    }
  }
  return text + "Switch#";
}
