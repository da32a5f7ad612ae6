// What several benchmarks need: a throw-away program folder for the logs, and the process's
// memory figures.
#pragma once

#include <string>

// Points the program folder (and so the log folder) at a new temporary folder and returns its
// name; empty, with a message on stderr, when none could be made.
std::string UseTemporaryProgramFolder();

// A "<field>: <n> kB" figure of /proc/self/status (e.g. "VmRSS"), in KiB; -1 when missing.
long StatusKilobytes(const std::string& field);
