#include "platform/trace/Trace.h"

#include <atomic>
#include <exception>
#include <mutex>
#include <string>

namespace platform {
namespace {

std::atomic<bool> captureAttached{false};
std::mutex captureMutex;
std::function<void(std::string_view)> capture;

void Emit(std::string_view operation, std::string_view word) {
  if (!captureAttached.load(std::memory_order_acquire)) return;
  std::string line;
  line.reserve(operation.size() + 1 + word.size());
  line.append(operation).append(" ").append(word);
  Trace(line);
}

}  // namespace

void Trace(std::string_view line) {
  if (!captureAttached.load(std::memory_order_acquire)) return;
  std::lock_guard lock(captureMutex);
  if (capture) capture(line);
}

void TraceStep(std::string_view operation, std::string_view step) noexcept {
  try {
    Emit(operation, step);
  } catch (...) {
  }
}

TraceScope::TraceScope(std::string_view operation)
    : operation_(operation), uncaughtOnEntry_(std::uncaught_exceptions()) {
  Emit(operation_, "begin");
}

TraceScope::~TraceScope() {
  Emit(operation_, std::uncaught_exceptions() > uncaughtOnEntry_ ? "exception" : "end");
}

ScopedTraceCapture::ScopedTraceCapture(std::function<void(std::string_view)> callback) {
  std::lock_guard lock(captureMutex);
  capture = std::move(callback);
  captureAttached.store(true, std::memory_order_release);
}

ScopedTraceCapture::~ScopedTraceCapture() {
  std::lock_guard lock(captureMutex);
  captureAttached.store(false, std::memory_order_release);
  capture = nullptr;
}

}  // namespace platform
