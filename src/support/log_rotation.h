// Keeps the log folder of a copy used every day from growing without bound: the application log
// is rotated once at a size, and only the newest session logs of each kind are kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Size past which application.log is renamed to application.log.1 before the next entry.
inline constexpr std::uintmax_t kApplicationLogLimit = 10u * 1024 * 1024;

// Session logs of each kind (session..., error_session...) kept in the log folder.
inline constexpr std::size_t kKeptSessionLogs = 200;

// When the file at path has reached limit bytes, renames it to path + ".1", replacing an older
// one, so that the next entry starts a new file. Never throws; a file that cannot be renamed
// goes on growing rather than losing entries.
void RotateWhenFull(const std::string& path, std::uintmax_t limit);

// After the session log `written` (named <kind><time stamp>.log, as SessionLogFileName makes
// them) was written: deletes the oldest logs of the same kind in its folder until `keep` remain.
// Oldest means least recently written (modification time, then name); `written` itself is never
// deleted. Files of another kind or name are left alone, and so is everything when `written` is
// not named so. Never throws.
void KeepNewestSessionLogs(const std::string& written, std::size_t keep);
