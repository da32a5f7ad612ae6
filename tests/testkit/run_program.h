// Running another program from a test: posix_spawn's settings made safe for a child, and a run
// that waits for the program and collects what it wrote.
#pragma once

#include <spawn.h>

#include <string>
#include <vector>

// argv as posix_spawn takes it; the strings must outlive the result.
std::vector<char*> ArgvOf(const std::vector<std::string>& argv);

// A spawned child starts with no blocked signals and default handlers for the ones that stop it,
// whatever the test process set for itself.
struct SpawnAttributes {
  SpawnAttributes();
  ~SpawnAttributes();
  SpawnAttributes(const SpawnAttributes&) = delete;
  SpawnAttributes& operator=(const SpawnAttributes&) = delete;
  posix_spawnattr_t attr;
};

struct FileActions {
  FileActions() { posix_spawn_file_actions_init(&actions); }
  ~FileActions() { posix_spawn_file_actions_destroy(&actions); }
  FileActions(const FileActions&) = delete;
  FileActions& operator=(const FileActions&) = delete;
  posix_spawn_file_actions_t actions;
};

// Runs a program (absolute path first) with input on its standard input and waits for it.
// Returns its exit status (-1 when it could not be started or did not exit normally); output
// gets what it wrote on standard output and error together.
int RunProgram(const std::vector<std::string>& argv, const std::string& input, std::string& output);

// The full name of the program the PATH finds for name, or "" when none.
std::string FindOnPath(const std::string& name);
