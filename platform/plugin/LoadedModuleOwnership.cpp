// A loaded module's handle has one owner, the same on both systems: moving
// hands it on, and the last owner frees it.
#include <utility>

#include "platform/plugin/LoadedModule.h"

namespace platform {

LoadedModule::LoadedModule(void* handle, HINSTANCE instance, std::string path)
    : handle_(handle), instance_(instance), path_(std::move(path)) {}

LoadedModule::~LoadedModule() { Free(); }

LoadedModule::LoadedModule(LoadedModule&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)),
      instance_(std::exchange(other.instance_, nullptr)),
      path_(std::move(other.path_)) {}

LoadedModule& LoadedModule::operator=(LoadedModule&& other) noexcept {
  if (this != &other) {
    Free();
    handle_ = std::exchange(other.handle_, nullptr);
    instance_ = std::exchange(other.instance_, nullptr);
    path_ = std::move(other.path_);
  }
  return *this;
}

}  // namespace platform
