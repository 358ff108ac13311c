// The bounds the HTTP client puts on a peer. A SOAP service is trusted to
// answer, not to be well behaved: every quantity a response controls is
// capped here so that a broken or hostile server fails the call instead of
// holding the caller's thread or memory.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace soap {

// Requests go out, and responses are read, in blocks of this size.
inline constexpr std::size_t kHttpBlockSize = 4096;

// Longest endpoint or redirect URL accepted (the browser's own URL limit).
inline constexpr std::size_t kMaxUrlLength = 2083;

// Socket time-out for each connect, send and receive when none is set.
inline constexpr std::chrono::milliseconds kDefaultSocketTimeout{10000};

// The whole exchange, from the first connect to the last body byte and across
// redirects, must finish within this many socket time-outs (60 s by default).
// A peer that drips one byte just inside each time-out would otherwise keep a
// call open without end. Six covers a connect, the request and a slow answer
// on a couple of hops while still releasing a stuck ads or update thread in
// a minute.
inline constexpr int kExchangeDeadlineTimeouts = 6;

// 301/302/303 answers followed per call; one more is a failed exchange, which
// is how a redirect loop ends.
inline constexpr int kMaxRedirects = 5;

// "100 Continue" interim answers skipped per response; a peer sending them
// without end would otherwise never let the real status through.
inline constexpr int kMaxInterimResponses = 10;

// Lengths of one line without its CR LF. The status line is short in every
// real server; header lines (and chunk-size lines) get the common 8 KiB.
inline constexpr std::size_t kMaxStatusLineLength = 1024;
inline constexpr std::size_t kMaxHeaderLineLength = 8192;

// Header lines per response head, and separately trailer lines after a
// chunked body.
inline constexpr std::size_t kMaxHeaderCount = 100;

// Decoded body bytes per response. Well above anything the services send and
// above the 20 MB single text that the SOAP parser rejects with its own limit,
// so that case reaches the parser and fails as a parse error.
inline constexpr std::uint64_t kMaxBodyBytes = 64ull * 1024 * 1024;

}  // namespace soap
