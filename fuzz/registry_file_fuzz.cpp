// The registry is persisted as .reg text, and a .reg file is what anyone
// with the user's rights can edit or import. Whatever the text, importing
// it is lenient line by line and never fatal, and whatever it imported saves
// as text that imports back line for line, without a skipped line, into a
// registry that saves to the very same text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "platform/registry/RegistryFile.h"
#include "platform/registry/RegistryTestHooks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  platform::ScopedRegistryReset registry;
  const std::string empty = platform::FormatRegistryText();

  std::size_t skipped = 0;
  const LSTATUS imported = platform::ImportRegistryText(text, &skipped);
  const std::string saved = platform::FormatRegistryText();
  if (imported != ERROR_SUCCESS) {
    FUZZ_CHECK(imported == ERROR_INVALID_DATA);
    FUZZ_CHECK(saved == empty);
    return 0;
  }

  platform::ResetRegistry();
  std::size_t skippedAgain = 0;
  FUZZ_CHECK(platform::ImportRegistryText(saved, &skippedAgain) == ERROR_SUCCESS);
  FUZZ_CHECK(skippedAgain == 0);
  FUZZ_CHECK(platform::FormatRegistryText() == saved);
  return 0;
}
