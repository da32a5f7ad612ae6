// Process-wide binding of the platform socket library.
//
// POSIX needs no library to be loaded, but callers still pair LoadSocketLibrary with
// UnloadSocketLibrary at start-up and exit; the reference count and its lock are kept so that
// start-up and shutdown read the same on every platform.
#pragma once

#include <mutex>
#include <string>

// The name the program asks for at start-up.
inline constexpr const char* kSocketLibraryName = "ws2_32.dll";

// Binds the socket library (or raises its reference count when already bound). Returns true on
// success. Never fails on POSIX; where binding can fail, ESocketError is raised with the
// message "Error loading Socket interface (<name>)!" and code 0.
bool LoadSocketLibrary(const std::string& libraryName = kSocketLibraryName);

// Lowers the reference count (never below 0); the binding is released when it reaches 0.
void UnloadSocketLibrary();

// Current reference count of the binding.
int SocketLibraryReferenceCount();

// The one process-wide lock: guards the binding and its count.
std::mutex& SocketLibraryLock();
