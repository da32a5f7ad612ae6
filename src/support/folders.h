// Where the program keeps its files: the program folder, the data folder (history.ini and the
// logs) and the log folder in it.
#pragma once

#include <string>

// Name of the log folder in the data folder; "logs" at start, empty when logs go to the data
// folder itself.
extern std::string LogFolderName;

// The folder that holds the running program, ending in '/'. Taken from /proc/self/exe, so the
// working folder never matters.
std::string GetProgramFolder();

// Points the program folder somewhere else, where files are then kept as in a build folder (tests
// and benchmarks use a temporary folder); an empty text goes back to the folder of the running
// executable.
void SetProgramFolder(const std::string& folder);

// The per-user state folder of an installed copy, ending in '/': xdgStateHome + "/tarvello/"
// when that is an absolute path, else home + "/.local/state/tarvello/". Empty when neither is
// usable (no absolute home either).
std::string StateFolderFor(const char* xdgStateHome, const char* home);

// Where history.ini and the log folder live, ending in '/': the program folder when the program
// runs from its build folder (see IsBuildFolder) and may write there, else the user's state
// folder, which is made 0700 on first use (its missing parents as the umask has them): so an
// installed copy uses it even when root, who may write to /usr/bin, runs it. Falls back to the
// program folder when the state folder cannot be made.
std::string GetDataFolder();

// The log folder: the data folder, then LogFolderName and '/' when that name is not empty.
// Always ends in '/'.
std::string GetLogFolder();

// Called once at start. Makes sure the log folder exists in the data folder; when it can neither
// be found nor made, clears LogFolderName so that logs go to the data folder itself. When the data
// folder is the state folder, the log folder is made 0700, and both folders and the regular files
// directly in them lose every permission of group and others (see TightenFolder); one line of the
// application log names what was changed. A build folder's modes are left as they are.
void PrepareLogFolder();
