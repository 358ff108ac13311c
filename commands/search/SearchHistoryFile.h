// The search history on disk: "search_archive.txt" in the product's install
// directory (HotIcon's folder), one entry per line, lines ended by CR LF,
// oldest first, no header. Every tab loads it when its search box is made
// and writes its own list back when the box goes; the last tab to write
// wins, and no tab ever sees another's list half-written.
//
// Safe on any thread: tabs of different threads may load and save at once.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace commands {

inline constexpr char kSearchHistoryFileName[] = "search_archive.txt";

// Install directory + "\search_archive.txt"; relative (and so never a file)
// when the install directory is not known.
std::string SearchHistoryPath();

// Every non-empty line in file order: the entry limit is for adding, not for
// loading. A file that cannot be read is created empty and gives no entries.
std::vector<std::string> LoadSearchHistory(std::string_view path);

// Writes the non-empty entries, each followed by CR LF, to a file of this
// thread's own beside `path` and renames it over `path`, so a failed write
// (a full disk, a crash) leaves the old history whole. False when nothing
// was replaced.
bool SaveSearchHistory(std::string_view path, const std::vector<std::string>& entries);

}  // namespace commands
