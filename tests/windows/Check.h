// A minimal check runner for the Windows programs that run under Wine: no
// test framework is cross-compiled, and each program reports one JSON line
// per failed expectation and exits 1 if any failed.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace windows_check {

struct Case {
  const char* name;
  std::function<void()> body;
};

std::vector<Case>& Cases();
void Fail(const char* file, int line, const std::string& what);

struct Registration {
  Registration(const char* name, std::function<void()> body) {
    Cases().push_back({name, std::move(body)});
  }
};

}  // namespace windows_check

#define WINDOWS_CHECK_CONCAT_(a, b) a##b
#define WINDOWS_CHECK_CONCAT(a, b) WINDOWS_CHECK_CONCAT_(a, b)
#define WINDOWS_CASE(name)                                                                    \
  static void name();                                                                         \
  static const ::windows_check::Registration WINDOWS_CHECK_CONCAT(kCase_, name)(#name, name); \
  static void name()
#define EXPECT_THAT_(condition, text)                                    \
  do {                                                                   \
    if (!(condition)) ::windows_check::Fail(__FILE__, __LINE__, (text)); \
  } while (false)
#define CHECK_TRUE(condition) EXPECT_THAT_((condition), #condition)
#define CHECK_EQ(a, b) EXPECT_THAT_((a) == (b), #a " == " #b)
