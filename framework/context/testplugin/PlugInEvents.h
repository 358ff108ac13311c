// What the test plug-ins reports back to the tab context's tests: the tests
// pass this record as the host window handle, which the framework hands to
// plug-ins untouched.
#pragma once

namespace framework::testing {

struct PlugInEvents {
  int created = 0;
  int shutdownNotices = 0;
  int deleted = 0;
};

}  // namespace framework::testing
