// Containment at a boundary nothing may be thrown across: a COM entry point,
// a callback from C code, a public operation promised never to throw. The
// body runs; an exception it lets out becomes the operation's neutral result
// and the trace line "<operation> exception". Every boundary of the product
// contains through these, so a contained failure always reads the same in a
// trace and no boundary forgets the catch-all.
//
//   return platform::Contain("CSoapFaultParser::EndElement", false, [&] { ... });
//   return platform::Contain("ClassFactory::CreateInstance", E_FAIL, E_OUTOFMEMORY,
//                            [&] { ... });  // std::bad_alloc gives E_OUTOFMEMORY
//   return platform::ContainTraced("ToolBandHookC::ShowDW", S_OK, [&] { ... });
//
// ContainTraced also writes "<operation> begin" before the body and
// "<operation> end" after it returns, as a TraceScope would. Its rollback
// form runs `rollback` after an exception and before the exception line, so
// what it undoes is traced inside the operation; a rollback that throws is
// contained too.
//
// A trace line that cannot be written is dropped: tracing is never what
// throws out of a contained operation.
#pragma once

#include <new>
#include <string_view>
#include <utility>

#include "platform/trace/Trace.h"

namespace platform {
namespace detail {

enum class TraceSteps { kException, kBeginEndException };

// `outOfMemory` null: std::bad_alloc gives `neutral` like anything else.
template <class Result, class Body, class Rollback>
Result RunContained(std::string_view operation, TraceSteps steps, Result neutral,
                    const Result* outOfMemory, Body& body, Rollback& rollback) noexcept {
  const bool bracketed = steps == TraceSteps::kBeginEndException;
  if (bracketed) TraceStep(operation, "begin");
  bool ranOutOfMemory = false;
  try {
    Result result = body();
    if (bracketed) TraceStep(operation, "end");
    return result;
  } catch (const std::bad_alloc&) {
    ranOutOfMemory = true;
  } catch (...) {
  }
  try {
    rollback();
  } catch (...) {
  }
  TraceStep(operation, "exception");
  if (ranOutOfMemory && outOfMemory != nullptr) return *outOfMemory;
  return neutral;
}

inline void NoRollback() noexcept {}

}  // namespace detail

template <class Result, class Body>
Result Contain(std::string_view operation, Result neutral, Body&& body) noexcept {
  return detail::RunContained<Result>(operation, detail::TraceSteps::kException, std::move(neutral),
                                      nullptr, body, detail::NoRollback);
}

// `outOfMemory` when the body throws std::bad_alloc, `neutral` for anything
// else.
template <class Result, class Body>
Result Contain(std::string_view operation, Result neutral, Result outOfMemory,
               Body&& body) noexcept {
  return detail::RunContained<Result>(operation, detail::TraceSteps::kException, std::move(neutral),
                                      &outOfMemory, body, detail::NoRollback);
}

template <class Result, class Body>
Result ContainTraced(std::string_view operation, Result neutral, Body&& body) noexcept {
  return detail::RunContained<Result>(operation, detail::TraceSteps::kBeginEndException,
                                      std::move(neutral), nullptr, body, detail::NoRollback);
}

template <class Result, class Body, class Rollback>
Result ContainTraced(std::string_view operation, Result neutral, Body&& body,
                     Rollback&& rollback) noexcept {
  return detail::RunContained<Result>(operation, detail::TraceSteps::kBeginEndException,
                                      std::move(neutral), nullptr, body, rollback);
}

}  // namespace platform
