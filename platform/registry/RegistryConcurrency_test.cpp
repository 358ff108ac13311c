#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryTestHooks.h"

namespace platform {
namespace {

// Writers, readers, enumerators and a deleter work on overlapping keys at
// once; ThreadSanitizer checks the locking, and the final state checks that
// no update was lost.
TEST(RegistryConcurrency, ParallelHandlesKeepTheTreeConsistent) {
  ScopedRegistryReset reset;
  constexpr int kWriters = 3;
  constexpr int kRounds = 400;
  std::vector<std::thread> threads;
  for (int writer = 0; writer < kWriters; ++writer) {
    threads.emplace_back([writer] {
      const std::string path = "Software\\Shared\\Writer" + std::to_string(writer);
      for (int round = 0; round < kRounds; ++round) {
        RegistryKey key;
        ASSERT_EQ(key.Create(HKEY_CURRENT_USER, path), ERROR_SUCCESS);
        ASSERT_EQ(key.SetDWORDValue("Round", static_cast<DWORD>(round)), ERROR_SUCCESS);
        ASSERT_EQ(key.SetStringValue("Name", path), ERROR_SUCCESS);
        RegistryKey scratch;
        ASSERT_EQ(scratch.Create(key, "Scratch"), ERROR_SUCCESS);
        EXPECT_EQ(key.DeleteSubKeyTree("Scratch"), ERROR_SUCCESS);
      }
    });
  }
  threads.emplace_back([] {
    for (int round = 0; round < kRounds; ++round) {
      RegistryKey shared;
      if (shared.Open(HKEY_CURRENT_USER, "Software\\Shared") != ERROR_SUCCESS) continue;
      std::string name;
      for (DWORD index = 0; shared.EnumKey(index, name) == ERROR_SUCCESS; ++index) {
        RegistryKey child;
        if (child.Open(shared, name) != ERROR_SUCCESS) continue;
        DWORD value = 0;
        const LSTATUS status = child.QueryDWORDValue("Round", value);
        EXPECT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND);
        EXPECT_LT(value, static_cast<DWORD>(kRounds));
      }
    }
  });
  threads.emplace_back([] {
    for (int round = 0; round < kRounds; ++round) {
      RegistryKey volatileKey;
      ASSERT_EQ(volatileKey.Create(HKEY_CURRENT_USER, "Software\\Volatile\\Deep"), ERROR_SUCCESS);
      EXPECT_EQ(DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\Volatile"), ERROR_SUCCESS);
      EXPECT_EQ(volatileKey.SetStringValue("x", "y"), ERROR_KEY_DELETED);
    }
  });
  for (auto& thread : threads) thread.join();

  for (int writer = 0; writer < kWriters; ++writer) {
    RegistryKey key;
    ASSERT_EQ(key.Open(HKEY_CURRENT_USER, "Software\\Shared\\Writer" + std::to_string(writer)),
              ERROR_SUCCESS);
    DWORD round = 0;
    ASSERT_EQ(key.QueryDWORDValue("Round", round), ERROR_SUCCESS);
    EXPECT_EQ(round, static_cast<DWORD>(kRounds - 1));
    std::string name;
    EXPECT_EQ(key.EnumKey(0, name), ERROR_NO_MORE_ITEMS);
  }
}

}  // namespace
}  // namespace platform
