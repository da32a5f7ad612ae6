#include "net/socket_library.h"

namespace {
int referenceCount = 0;
}  // namespace

std::mutex& SocketLibraryLock() {
  static std::mutex lock;
  return lock;
}

bool LoadSocketLibrary(const std::string& /*libraryName*/) {
  // The POSIX socket interface is part of the C library, so binding cannot fail here.
  std::lock_guard<std::mutex> guard(SocketLibraryLock());
  ++referenceCount;
  return true;
}

void UnloadSocketLibrary() {
  std::lock_guard<std::mutex> guard(SocketLibraryLock());
  if (referenceCount > 0) {
    --referenceCount;
  }
}

int SocketLibraryReferenceCount() {
  std::lock_guard<std::mutex> guard(SocketLibraryLock());
  return referenceCount;
}
