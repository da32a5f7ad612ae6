#include "testkit/run_program.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <utility>

extern char** environ;

namespace {

// Both ends of a pipe, each closed with the object unless closed before.
struct Pipe {
  Pipe() {
    if (::pipe2(ends, O_CLOEXEC) != 0) {
      ends[0] = ends[1] = -1;
    }
  }
  ~Pipe() {
    Close(0);
    Close(1);
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;
  bool Valid() const { return ends[0] >= 0; }
  void Close(int end) {
    if (ends[end] >= 0) {
      ::close(std::exchange(ends[end], -1));
    }
  }
  int ends[2];
};

}  // namespace

std::vector<char*> ArgvOf(const std::vector<std::string>& argv) {
  std::vector<char*> result;
  for (const std::string& arg : argv) {
    result.push_back(const_cast<char*>(arg.c_str()));
  }
  result.push_back(nullptr);
  return result;
}

SpawnAttributes::SpawnAttributes() {
  posix_spawnattr_init(&attr);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attr, &none);
  sigset_t defaults;
  sigemptyset(&defaults);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGPIPE, SIGCHLD}) {
    sigaddset(&defaults, signal);
  }
  posix_spawnattr_setsigdefault(&attr, &defaults);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
}

SpawnAttributes::~SpawnAttributes() {
  posix_spawnattr_destroy(&attr);
}

int RunProgram(const std::vector<std::string>& argv, const std::string& input,
               std::string& output) {
  output.clear();
  Pipe in;
  Pipe out;
  if (!in.Valid() || !out.Valid()) {
    return -1;
  }
  // The input is a line or two, well within the pipe's buffer: written before the program starts,
  // it can neither block nor meet a reader that is gone.
  if (!input.empty() &&
      ::write(in.ends[1], input.data(), input.size()) != static_cast<ssize_t>(input.size())) {
    return -1;
  }
  in.Close(1);

  FileActions files;
  posix_spawn_file_actions_adddup2(&files.actions, in.ends[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&files.actions, out.ends[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&files.actions, out.ends[1], STDERR_FILENO);
  SpawnAttributes attributes;
  std::vector<char*> args = ArgvOf(argv);
  pid_t pid = -1;
  if (posix_spawn(&pid, args[0], &files.actions, &attributes.attr, args.data(), environ) != 0) {
    output = "cannot start " + argv[0];
    return -1;
  }
  in.Close(0);
  out.Close(1);
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(out.ends[0], buffer, sizeof buffer);
    if (got > 0) {
      output.append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0 || errno != EINTR) {
      break;
    }
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path != nullptr ? path : "");
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    const std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
    if (::access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
  }
  return "";
}
