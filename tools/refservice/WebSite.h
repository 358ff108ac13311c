// The product web site's paths that the toolbar calls directly, served so a
// whole session runs without an outside host: the auto-login request, the
// installer download, the ads' click URLs, sample pages whose text matches
// the ad categories, and the pages the toolbar's buttons open (SitePages.h).
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "tools/refservice/HttpMessage.h"
#include "tools/refservice/RequestLog.h"
#include "tools/refservice/ServiceData.h"

namespace refservice {

class WebSite {
 public:
  using Downloads = std::map<std::string, std::string, std::less<>>;

  // `downloads` are served under /download/ before the data directory's
  // files; both must outlive the site.
  WebSite(const ServiceData& data, const Downloads& downloads)
      : data_(data), downloads_(downloads) {}

  // Fills the record's operation and parameters and returns the answer.
  HttpAnswer Serve(const HttpRequest& request, RecordedRequest& record) const;

 private:
  HttpAnswer ServeFile(const std::filesystem::path& directory, std::string_view name,
                       const char* contentType) const;
  HttpAnswer Index() const;
  HttpAnswer Landing(const RecordedRequest& record) const;

  const ServiceData& data_;
  const Downloads& downloads_;
};

}  // namespace refservice
