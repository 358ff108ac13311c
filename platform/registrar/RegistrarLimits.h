// The bounds the registrar puts on a script. Scripts come from the module's
// own resources, but a damaged or substituted module must fail registration,
// not exhaust the stack or the registry of the process that registers it.
#pragma once

#include <cstddef>

namespace platform {

// Longest script, before and after its %NAME% replacements; the product's
// scripts are a few kilobytes.
inline constexpr std::size_t kMaxRegistrarScriptLength = 256 * 1024;

// Keys nested below a root; the deepest registry path the product writes is
// six keys below its hive.
inline constexpr std::size_t kMaxRegistrarKeyDepth = 32;

// Longest key name: the registry's own limit.
inline constexpr std::size_t kMaxRegistrarKeyNameLength = 255;

// Longest token otherwise (value names, string and binary data), ATL's
// registrar buffer size.
inline constexpr std::size_t kMaxRegistrarTokenLength = 4096;

}  // namespace platform
