// The ads service: ads for a category group, the category list, the
// blocked terms and the ad-feed test operations, answered from ServiceData.
#pragma once

#include <atomic>

#include "tools/refservice/ServiceData.h"
#include "tools/refservice/SoapService.h"

namespace refservice {

class AdsService final : public SoapService {
 public:
  explicit AdsService(const ServiceData& data) : data_(data) {}

  const std::vector<std::string>& OperationNames() const override;
  std::string Answer(const SoapCall& call, const HttpRequest& request,
                     std::string_view site) override;

 private:
  struct AdQuery {
    std::string group;
    int maxAds = 0;
    std::optional<std::string> pageUrl;
    std::optional<std::string> memberId;  // credited in the click URL when known
  };

  std::string AdItemResults(const std::string& resultName, const AdQuery& query,
                            std::string_view site) const;
  std::string TestAds(const SoapCall& call, std::string_view site) const;
  std::string StringArray(const std::string& resultName,
                          const std::vector<std::string>& values) const;
  std::string ClickUrl(const Ad& ad, const AdQuery& query, std::string_view site) const;
  std::vector<std::string> Keywords() const;

  const ServiceData& data_;
  std::atomic<std::size_t> rotation_{0};  // walks the lists for the "random" operations
};

}  // namespace refservice
