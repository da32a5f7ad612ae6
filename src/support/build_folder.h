// Which copy of the program keeps its files beside itself: only the one run from the folder it
// was built in. Every installed or unpacked copy keeps them in the user's state folder, whoever
// runs it, since root may write to /usr/bin as well.
#pragma once

#include <string>

// The file the build puts beside the program it makes (src/app/program.cmake) and no install
// copies: its presence, not the build's path, marks the build folder, so the shipped program
// carries no path of the machine it was built on.
inline constexpr char kBuildFolderMark[] = "tarvello-build-folder";

// True iff the folder (ending in '/') holds kBuildFolderMark.
bool IsBuildFolder(const std::string& folder);
