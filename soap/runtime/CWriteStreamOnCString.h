// The request body is written into a narrow string before it is sent; this
// is the stream the generators write to. A failed append (out of memory)
// surfaces as std::bad_alloc, which the request writer turns into the
// generate error.
#pragma once

#include <string>
#include <string_view>

namespace soap {

class CWriteStreamOnCString {
 public:
  explicit CWriteStreamOnCString(std::string& target) : target_(target) {}

  void Write(std::string_view bytes) { target_.append(bytes); }
  // Value writers append to the string directly rather than through a
  // temporary.
  std::string& Target() { return target_; }

 private:
  std::string& target_;
};

}  // namespace soap
