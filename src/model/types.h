// The entry and session records of the SPAN model. Positions are 1-based, as in the rules.
#pragma once

#include <array>
#include <stdexcept>
#include <string>

constexpr int MaxPortEntries = 4096;
constexpr int SessionCount = 2;

// A fixed-capacity array addressed 1..N. Every access is checked, in every build: a position
// outside 1..N throws std::out_of_range instead of touching memory past the array.
template <typename T, int N>
class OneBased {
 public:
  T& operator[](int position) {
    Check(position);
    return items_[position - 1];
  }
  const T& operator[](int position) const {
    Check(position);
    return items_[position - 1];
  }

 private:
  static void Check(int position) {
    if (position < 1 || position > N) {
      throw std::out_of_range("position " + std::to_string(position) + " outside 1.." +
                              std::to_string(N));
    }
  }

  std::array<T, N> items_{};
};

// One entry's role in one session.
struct TPortSpanType {
  std::string SpanType;  // "None", "Ingress", "Egress", "Both" or "Destination"
  bool Changed = false;
};

// One interface or active VLAN.
struct TPort {
  std::string Name;         // interface short name (Gi0/1) or VLAN number (10)
  std::string Kind;         // "interface" or "vlan"
  std::string Description;  // interface description or VLAN name
  OneBased<TPortSpanType, SessionCount> SpanTypes;
};

struct TPorts {
  int Count = 0;
  OneBased<TPort, MaxPortEntries> Items;
};

struct TSPANSession {
  std::string SessionType;    // the switch's "Type" line, kept for information
  std::string Encapsulation;  // "Native", "Replicate" or empty
  std::string FilterVLANs;    // e.g. "1-5,7"; empty when there is no filter
  bool Changed = false;
};

struct TSPANSessions {
  int Count = 0;
  OneBased<TSPANSession, SessionCount> Items;
  int LocalSessionLimit = 0;
};
