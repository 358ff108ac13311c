// The utils service: member login and statistics, single sign-on, and the
// desktop version with its download address, answered from ServiceData.
#pragma once

#include "tools/refservice/ServiceData.h"
#include "tools/refservice/SoapService.h"

namespace refservice {

class UtilsService final : public SoapService {
 public:
  explicit UtilsService(const ServiceData& data) : data_(data) {}

  const std::vector<std::string>& OperationNames() const override;
  std::string Answer(const SoapCall& call, const HttpRequest& request,
                     std::string_view site) override;

 private:
  std::string Login(const SoapCall& call) const;
  std::string DesktopVersion(const std::string& resultName, std::string_view site) const;
  std::string LogError(const SoapCall& call) const;
  std::string StatisticsOf(const std::optional<std::string>& encMemberId) const;

  const ServiceData& data_;
};

}  // namespace refservice
