// SOAP runtime throughput: writing a GetPublicAds envelope, and parsing a
// GetPublicAds response of 1000 ads fed in 4096-byte blocks, next to
// libxml2's own SAX2 push parse of the same bytes with empty callbacks (the
// floor no parser built on it can beat). Each reports MB/s; the parse also
// reports its cost relative to the floor. For instruction counts run each
// alone under callgrind (see the README).
#include <benchmark/benchmark.h>
#include <libxml/parser.h>

#include <chrono>
#include <cstring>

#include "soap/runtime/SoapRequestWriter.h"
#include "soap/runtime/SoapTestSupport.h"

namespace {

using namespace soap::testing;

constexpr std::size_t kBlock = 4096;

const std::string& Response() {
  static const std::string response = PublicAdsResponse(1000);
  return response;
}

void EmptyStart(void*, const xmlChar*, const xmlChar*, const xmlChar*, int, const xmlChar**, int,
                int, const xmlChar**) {}
void EmptyEnd(void*, const xmlChar*, const xmlChar*, const xmlChar*) {}
void EmptyCharacters(void*, const xmlChar*, int) {}
void EmptyDocumentType(void*, const xmlChar*, const xmlChar*, const xmlChar*) {}
void Silent(void*, xmlErrorPtr) {}

// Not inlined, so callgrind can count exactly one parse of each kind with
// --toggle-collect on these two names. The callbacks are the ones the
// product's reader registers, and libxml2 takes shortcuts by which are set
// (white space goes through fewer checks when it shares the text callback),
// so the floor registers the same set, only empty.
[[gnu::noinline]] void LibxmlPushParse(const std::string& bytes) {
  xmlSAXHandler sax;
  std::memset(&sax, 0, sizeof sax);
  sax.initialized = XML_SAX2_MAGIC;
  sax.startElementNs = EmptyStart;
  sax.endElementNs = EmptyEnd;
  sax.characters = EmptyCharacters;
  sax.cdataBlock = EmptyCharacters;
  sax.ignorableWhitespace = EmptyCharacters;
  sax.internalSubset = EmptyDocumentType;
  sax.serror = Silent;
  xmlParserCtxtPtr context = xmlCreatePushParserCtxt(&sax, nullptr, nullptr, 0, nullptr);
  xmlCtxtUseOptions(context, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  for (std::size_t at = 0; at < bytes.size(); at += kBlock) {
    xmlParseChunk(context, bytes.data() + at, static_cast<int>(std::min(kBlock, bytes.size() - at)),
                  0);
  }
  xmlParseChunk(context, nullptr, 0, 1);
  xmlFreeParserCtxt(context);
}

// The result is handed back so that freeing it, which is the caller's
// business after the call, is not counted as parsing.
[[gnu::noinline]] bool SoapParse(const std::string& bytes, GetPublicAdsParams& params) {
  return ParseBody(kGetPublicAdsBody, &params, bytes, kBlock) == soap::SoapClientError::kSuccess &&
         params.GetPublicAdsResult.size() == 1000;
}

double SecondsPerIteration(benchmark::State& state,
                           const std::chrono::steady_clock::duration total) {
  return std::chrono::duration<double>(total).count() / static_cast<double>(state.iterations());
}

double floorSeconds = 0;

void BM_Libxml2PushFloor(benchmark::State& state) {
  const std::string& bytes = Response();
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) LibxmlPushParse(bytes);
  floorSeconds = SecondsPerIteration(state, std::chrono::steady_clock::now() - start);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
  state.counters["MB/s"] = static_cast<double>(bytes.size()) / floorSeconds / 1e6;
}

void BM_ParsePublicAds1000(benchmark::State& state) {
  const std::string& bytes = Response();
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    GetPublicAdsParams params;
    if (!SoapParse(bytes, params)) {
      state.SkipWithError("parse failed");
      return;
    }
  }
  const double seconds = SecondsPerIteration(state, std::chrono::steady_clock::now() - start);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
  state.counters["MB/s"] = static_cast<double>(bytes.size()) / seconds / 1e6;
  if (floorSeconds > 0) state.counters["x_floor"] = seconds / floorSeconds;
}

void BM_WriteGetPublicAdsEnvelope(benchmark::State& state) {
  GetPublicAdsParams params;
  params.offerId = 60;
  params.memberIp = u"";
  params.cgroup = u"automotive";
  params.keyword = u"used cars \u00E9 & more";
  params.maxAds = 5;
  params.ua = u"Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 5.1; .NET CLR 2.0.50727)";
  params.sURL = u"http://www.example.com/some/page.html?query=value&other=1";
  std::string body;
  std::size_t bytes = 0;
  for (auto _ : state) {
    body.clear();
    if (!soap::WriteRequestEnvelope(body, kGetPublicAds, &params))
      state.SkipWithError("write failed");
    bytes += body.size();
    benchmark::DoNotOptimize(body.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

// The floor runs first so the parse can report its ratio to it.
BENCHMARK(BM_Libxml2PushFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParsePublicAds1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteGetPublicAdsEnvelope);

}  // namespace

BENCHMARK_MAIN();
