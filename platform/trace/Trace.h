// The product's trace sink. Nearly every operation reports
// "Class::Operation begin", "... end" or "... exception"; the shipped sink
// records nothing, so tracing costs one indirect check per line. Tests attach
// a capture to see the lines a path produced.
#pragma once

#include <functional>
#include <string_view>

namespace platform {

void Trace(std::string_view line);

// Writes "<operation> <step>". Never throws: a line that cannot be built or
// that the capture refuses is dropped, so reporting a failure cannot become
// a failure of its own.
void TraceStep(std::string_view operation, std::string_view step) noexcept;

// Writes "<operation> begin" now and "<operation> end" when it goes out of
// scope, or "<operation> exception" when it is left by an exception.
class TraceScope {
 public:
  explicit TraceScope(std::string_view operation);
  ~TraceScope();
  TraceScope(const TraceScope&) = delete;
  TraceScope& operator=(const TraceScope&) = delete;

 private:
  std::string_view operation_;
  int uncaughtOnEntry_;
};

// While alive, every trace line from any thread is handed to the callback
// (serialised). Captures do not nest.
class ScopedTraceCapture {
 public:
  explicit ScopedTraceCapture(std::function<void(std::string_view)> callback);
  ~ScopedTraceCapture();
  ScopedTraceCapture(const ScopedTraceCapture&) = delete;
  ScopedTraceCapture& operator=(const ScopedTraceCapture&) = delete;
};

}  // namespace platform
