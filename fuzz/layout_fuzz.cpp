// The layout document and its stored copy decide what a tab builds, and the
// stored copy is a registry value anyone with the user's rights can write.
// The input is a layout and, after a "\x1e\x1e" separator, the stored copy's
// bytes (no separator: no stored copy). A tab's toolbar is built from them
// the way the browser builds it, the shipped layout coming from the
// module's resources. Whatever the bytes, building ends with a toolbar or
// none; a stored copy that was merged is written back as a document the
// next tab can read again; and the copies settle: the copy written by the
// second tab is the one every later tab writes. (The first write-back may
// still change once, as a match without a stored choice writes an empty
// one and the last of several matches wins.)
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/context/StandaloneTabContextC.h"
#include "fuzz/FuzzCheck.h"
#include "platform/files/FileSystem.h"
#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryTestHooks.h"
#include "platform/resources/ModuleResources.h"
#include "platform/xml/XmlDocument.h"

namespace {

constexpr std::string_view kStoredCopySeparator = "\x1e\x1e";

void Store(const std::string& bytes) {
  platform::RegistryKey key;
  FUZZ_CHECK(key.Create(HKEY_CURRENT_USER, framework::kProductLayoutKeyPath) == ERROR_SUCCESS);
  FUZZ_CHECK(key.SetValue(framework::kProductLayoutValueName, REG_BINARY, bytes.data(),
                          static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS);
}

std::optional<std::string> Stored() {
  platform::RegistryKey key;
  if (key.Open(HKEY_CURRENT_USER, framework::kProductLayoutKeyPath) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes;
  if (key.QueryBinaryValue(framework::kProductLayoutValueName, bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(bytes.begin(), bytes.end());
}

// One tab's toolbar from the layout in the module's resources; the stored
// copy is whatever the registry holds.
void BuildTab(const std::string& layout) {
  platform::ScopedModuleResources resources({{"HTML", "TOOLBANDLAYOUT.XML", 0, layout}});
  framework::StandaloneTabContextC context("res://" + platform::ModuleFilePath() +
                                           "/ToolBandLayout.xml");
  context.Create();
}

bool IsReadableDocument(const std::string& bytes) {
  std::shared_ptr<platform::XmlDocument> document = platform::XmlDocument::Create();
  return document->LoadBytes(bytes) == platform::XmlLoadResult::kOk;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One file system for the whole run: the module's directory must exist,
  // and nothing here writes files.
  static platform::ScopedFileSystemRoot root;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t separator = input.find(kStoredCopySeparator);
  const std::string layout(input.substr(0, separator));

  platform::ScopedRegistryReset registry;
  std::optional<std::string> storedBefore;
  if (separator != std::string_view::npos) {
    storedBefore = std::string(input.substr(separator + kStoredCopySeparator.size()));
    Store(*storedBefore);
  }
  BuildTab(layout);
  const std::optional<std::string> first = Stored();
  FUZZ_CHECK(first.has_value() == storedBefore.has_value());
  if (!first || first == storedBefore) return 0;
  FUZZ_CHECK(IsReadableDocument(*first));

  BuildTab(layout);
  const std::optional<std::string> second = Stored();
  FUZZ_CHECK(second.has_value() && IsReadableDocument(*second));
  BuildTab(layout);
  FUZZ_CHECK(Stored() == second);
  return 0;
}
