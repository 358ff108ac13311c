#include <cstdio>

#include "tests/windows/Check.h"

namespace windows_check {
namespace {

const char* gCurrentCase = "";
int gFailures = 0;

}  // namespace

std::vector<Case>& Cases() {
  static std::vector<Case> cases;
  return cases;
}

void Fail(const char* file, int line, const std::string& what) {
  ++gFailures;
  std::printf("{\"case\":\"%s\",\"failed\":\"%s\",\"at\":\"%s:%d\"}\n", gCurrentCase, what.c_str(),
              file, line);
}

}  // namespace windows_check

int wmain() {
  using namespace windows_check;
  for (const Case& entry : Cases()) {
    gCurrentCase = entry.name;
    const int before = gFailures;
    entry.body();
    std::printf("{\"case\":\"%s\",\"passed\":%s}\n", entry.name,
                gFailures == before ? "true" : "false");
  }
  std::fflush(stdout);
  return gFailures == 0 ? 0 : 1;
}
