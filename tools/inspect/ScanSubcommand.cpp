#include "tools/inspect/ScanSubcommand.h"

#include <chrono>
#include <optional>
#include <string>

#include "platform/automation/Bstr.h"
#include "platform/browser/BrowserFrame.h"
#include "platform/clock/Clock.h"
#include "platform/files/FileSystem.h"
#include "platform/html/HtmlInterfaces.h"
#include "platform/text/CodePage.h"
#include "session/CategoryTable.h"
#include "session/categories/CategoryCacheFile.h"
#include "soap/connector/VimaruConnector.h"
#include "tools/inspect/HostFiles.h"
#include "tools/inspect/JsonWriter.h"
#include "tools/inspect/ToolDiagnostics.h"

namespace tools {
namespace {

struct ScanOptions {
  std::string page;
  std::optional<std::string> cacheFile;
  bool html = false;
};

std::optional<ScanOptions> ParseOptions(SubcommandArguments arguments, std::string& problem) {
  ScanOptions options;
  bool havePage = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (argument == "--html") {
      options.html = true;
    } else if (argument == "--cache") {
      if (i + 1 >= arguments.size() || options.cacheFile || arguments[i + 1].empty()) {
        problem = "--cache takes one FILE";
        return std::nullopt;
      }
      options.cacheFile = std::string(arguments[++i]);
    } else if (argument.starts_with("--")) {
      problem = "unknown option '" + std::string(argument) + "'";
      return std::nullopt;
    } else if (havePage) {
      problem = "one PAGE only, got '" + std::string(argument) + "' too";
      return std::nullopt;
    } else {
      options.page = std::string(argument);
      havePage = true;
    }
  }
  if (!havePage) {
    problem = "no PAGE given";
    return std::nullopt;
  }
  return options;
}

// The body's text as the toolbar's page hook reads it once the page is
// complete.
std::optional<std::u16string> HtmlBodyText(const std::string& address) {
  platform::BrowserFrame frame;
  if (FAILED(frame.Browser().Navigate(platform::Bstr(platform::Utf8ToWide(address)).Get(), nullptr,
                                      nullptr, nullptr, nullptr))) {
    return std::nullopt;
  }
  platform::ComPtr<IDispatch> dispatch;
  if (FAILED(frame.Browser().get_Document(dispatch.ReleaseAndGetAddressOf())) || !dispatch) {
    return std::nullopt;
  }
  platform::ComPtr<IHTMLDocument2> document;
  platform::ComPtr<IHTMLElement> body;
  if (FAILED(
          dispatch->QueryInterface(platform::IidOf<IHTMLDocument2>(),
                                   reinterpret_cast<void**>(document.ReleaseAndGetAddressOf()))) ||
      FAILED(document->get_body(body.ReleaseAndGetAddressOf())) || !body) {
    return std::nullopt;
  }
  platform::Bstr text;
  body->get_innerText(text.Receive());
  return text.String();
}

// The page's text, or nothing with the reason in `problem`; `address` is
// the browser's address of an HTML page.
std::optional<std::u16string> PageText(const ScanOptions& options, const std::string& address,
                                       std::string& problem) {
  if (options.html) {
    auto text = HtmlBodyText(address);
    if (!text) problem = "the page " + options.page + " has no body to read";
    return text;
  }
  const std::optional<std::string> utf8 = ReadHostFile(options.page);
  if (!utf8) {
    problem = "cannot read " + options.page;
    return std::nullopt;
  }
  return platform::Utf8ToWide(*utf8);
}

}  // namespace

int RunScanSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err) {
  std::string problem;
  const std::optional<ScanOptions> options = ParseOptions(arguments, problem);
  if (!options) return UsageError(err, kScanUsage, problem);
  std::optional<std::string> address;
  if (options->html) {
    address = ToPageAddress(options->page, problem);
    if (!address) return UsageError(err, kScanUsage, problem);
  }
  std::optional<std::string> cacheLocation;
  if (options->cacheFile) {
    cacheLocation = ToProductLocation(*options->cacheFile, problem);
    if (!cacheLocation) return UsageError(err, kScanUsage, problem);
  }

  HostFileSystem files;
  const std::optional<std::u16string> text = PageText(*options, address.value_or(""), problem);
  if (!text) return Failure(err, kScanUsage, problem);

  const std::string cachePath = cacheLocation
                                    ? *cacheLocation
                                    : session::CategoryCachePath(platform::GetHostExecutablePath());
  std::optional<session::CategoryLists> cached =
      session::ReadCategoryCache(cachePath, platform::WallClockNow());
  const bool fromCache = cached.has_value();
  const session::CategoryTable table(
      fromCache ? std::move(*cached)
                : session::FetchCategoryLists(soap::VimaruConnector(), cachePath));

  session::PageScanResult scan;
  const auto started = std::chrono::steady_clock::now();
  if (table.CategoryCount() > 0 && table.scanner.LongestKeyword() > 0) {
    scan = table.scanner.ScanPage(*text);
  }
  const auto microseconds = std::chrono::duration_cast<std::chrono::microseconds>(
                                std::chrono::steady_clock::now() - started)
                                .count();

  JsonWriter json(out);
  json.BeginObject();
  json.Key("listsFrom");
  json.Utf8String(fromCache ? "cache" : "service");
  json.Key("categories");
  json.Integer(table.CategoryCount());
  json.Key("blocked");
  json.Integer(static_cast<std::int64_t>(table.lists.blockedTerms.size()));
  json.Key("longestKeyword");
  json.Integer(table.scanner.LongestKeyword());
  json.Key("counts");
  json.BeginArray();
  for (const int count : scan.counts) json.Integer(count);
  json.EndArray();
  json.Key("chosen");
  json.Integer(scan.chosen);
  json.Key("category");
  json.Utf8String(table.CategoryCount() > 0
                      ? platform::WideToUtf8(table.lists.categories[scan.chosen].Name)
                      : std::string());
  json.Key("blockedPage");
  json.Boolean(scan.blocked);
  json.Key("scanMicroseconds");
  json.Integer(microseconds);
  json.EndObject();
  return kExitSuccess;
}

}  // namespace tools
