// Persistence of the registry as a ".reg" text file in the format regedit
// imports ("Windows Registry Editor Version 5.00"), written as UTF-8:
//
//   [HKEY_CURRENT_USER\Software\Vimaru Group Inc\VimaruIEToolbar]
//   @="default text"
//   "Name"="text with \\ and \" escaped"
//   "Count"=dword:0000000a
//   "Bytes"=hex:01,02,ff
//   "Path"=hex(2):25,00,41,00,00,00        (REG_EXPAND_SZ, UTF-16LE)
//
// Saving then loading reproduces every key, value name, type and byte. Loading
// merges into the current tree the way an import does (a "[-KEY]" section
// deletes a tree, "name"=- deletes a value); lines it cannot read are skipped
// and counted, never fatal.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/registry/RegistryTypes.h"

namespace platform {

// The whole registry as .reg text (UTF-8).
std::string FormatRegistryText();

// Imports .reg text. ERROR_INVALID_DATA when the header line is missing
// (nothing is imported then); otherwise ERROR_SUCCESS, with the number of
// skipped malformed lines in `skippedLines` when given.
LSTATUS ImportRegistryText(std::string_view text, std::size_t* skippedLines = nullptr);

// File forms of the two above. Saving answers ERROR_ACCESS_DENIED when the
// file cannot be written; loading answers ERROR_FILE_NOT_FOUND when it
// cannot be read.
LSTATUS SaveRegistryFile(const std::filesystem::path& file);
LSTATUS LoadRegistryFile(const std::filesystem::path& file, std::size_t* skippedLines = nullptr);

}  // namespace platform
