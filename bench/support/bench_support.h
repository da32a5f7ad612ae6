// What several benchmarks need: a throw-away program folder for the logs, the process's memory
// figures, and the listing of a switch with 66 sessions.
#pragma once

#include <string>

// Points the program folder (and so the log folder) at a new temporary folder and returns its
// name; empty, with a message on stderr, when none could be made.
std::string UseTemporaryProgramFolder();

// A "<field>: <n> kB" figure of /proc/self/status (e.g. "VmRSS"), in KiB; -1 when missing.
long StatusKilobytes(const std::string& field);

// "show monitor session all" of a stack with 66 sessions, in the IOS-XE form that prints every
// field ("None" where empty): sessions 1..60 local, 61..63 RSPAN source sessions to rspanVlan,
// 64..66 ERSPAN source sessions. Session s takes the ports of stack member s as RX sources
// (Gi<s>/0/1 up to the member's last port but one, in ranges of ten); a local session's
// destination is the member's last port, Gi<s>/0/<portsPerMember>.
std::string SixtySixSessionsListing(int portsPerMember, int rspanVlan);
