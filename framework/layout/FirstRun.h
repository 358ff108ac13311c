// The first-run marker: a string value "FirstRun" under
// HKEY_CURRENT_USER\Software\<company>\<name>. The first check per user and
// toolbar finds it missing, writes "No" and answers true; every later check
// answers false.
#pragma once

#include <string>

namespace framework {

bool CheckFirstRun(const std::string& company, const std::string& name);

}  // namespace framework
