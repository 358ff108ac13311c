#include "tools/refservice/WebSite.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "tools/refservice/SitePages.h"
#include "tools/refservice/SoapEnvelope.h"

namespace refservice {

namespace {

constexpr char kHtml[] = "text/html; charset=utf-8";
constexpr char kOctetStream[] = "application/octet-stream";

HttpAnswer Html(int status, std::string body) {
  HttpAnswer answer;
  answer.status = status;
  answer.headers.emplace_back("Content-Type", kHtml);
  answer.body = std::move(body);
  return answer;
}

HttpAnswer NotFound() { return Html(404, "<html><body><h1>404 Not Found</h1></body></html>"); }

// Only plain file names: no directories, no way out of the served folder.
bool IsPlainFileName(std::string_view name) {
  return !name.empty() && name.front() != '.' && name.find('/') == std::string_view::npos &&
         name.find('\\') == std::string_view::npos;
}

const std::string* QueryValue(const RecordedRequest& record, std::string_view name) {
  for (const auto& parameter : record.parameters) {
    if (parameter.name == name) return &parameter.text;
  }
  return nullptr;
}

}  // namespace

HttpAnswer WebSite::Serve(const HttpRequest& request, RecordedRequest& record) const {
  for (auto& [name, value] : ParseQuery(request.query)) {
    record.parameters.push_back({std::move(name), false, std::move(value), {}});
  }
  const std::string_view path = request.path;
  if (request.method != "GET" && request.method != "HEAD" && path != "/autologin.aspx") {
    HttpAnswer answer = Html(405, "<html><body><h1>405 Method Not Allowed</h1></body></html>");
    answer.headers.emplace_back("Allow", "GET, HEAD");
    return answer;
  }
  if (EqualsIgnoringCase(path, "/autologin.aspx")) {
    record.operation = "autologin";
    return Html(200, "<html><head><title>Vimaru</title></head><body>Signed in.</body></html>");
  }
  if (path.starts_with("/download/")) {
    record.operation = "download";
    const std::string_view name = path.substr(10);
    if (const auto found = downloads_.find(name); found != downloads_.end()) {
      HttpAnswer answer;
      answer.headers.emplace_back("Content-Type", kOctetStream);
      answer.body = found->second;
      return answer;
    }
    return ServeFile(data_.directory / "download", name, kOctetStream);
  }
  if (path.starts_with("/pages/")) {
    record.operation = "page";
    return ServeFile(data_.directory / "pages", path.substr(7), kHtml);
  }
  if (path == "/click") {
    record.operation = "click";
    return Landing(record);
  }
  if (path == "/" || path == "/index.html") {
    record.operation = "index";
    return Index();
  }
  if (std::optional<HttpAnswer> page = ServeSitePage(request, record)) return *page;
  return NotFound();
}

HttpAnswer WebSite::ServeFile(const std::filesystem::path& directory, std::string_view name,
                              const char* contentType) const {
  if (!IsPlainFileName(name)) return NotFound();
  std::ifstream stream(directory / name, std::ios::binary);
  if (!stream) return NotFound();
  std::ostringstream content;
  content << stream.rdbuf();
  HttpAnswer answer;
  answer.headers.emplace_back("Content-Type", contentType);
  answer.body = content.str();
  return answer;
}

HttpAnswer WebSite::Index() const {
  std::vector<std::string> pages;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(data_.directory / "pages", error)) {
    pages.push_back(entry.path().filename().string());
  }
  std::sort(pages.begin(), pages.end());
  std::string body = "<html><head><title>Vimaru reference site</title></head><body><ul>";
  for (const auto& page : pages) {
    body += "<li><a href=\"/pages/" + EscapeXml(page) + "\">" + EscapeXml(page) + "</a></li>";
  }
  return Html(200, body + "</ul></body></html>");
}

HttpAnswer WebSite::Landing(const RecordedRequest& record) const {
  const std::string* adId = QueryValue(record, "ad");
  for (const Ad& ad : data_.ads) {
    if (adId && ad.id == *adId) {
      return Html(200, "<html><head><title>" + EscapeXml(ad.title) + "</title></head><body><h1>" +
                           EscapeXml(ad.title) + "</h1><p>" + EscapeXml(ad.description) +
                           "</p></body></html>");
    }
  }
  return NotFound();
}

}  // namespace refservice
