// The version check behind the update button: asks the utils service for
// the current desktop version and answers the download address when that
// version is not the one running. Called on the update worker thread; COM
// is initialised around the one call, as for every service call.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace soap {

// The version text this build reports; any other text from the service,
// an older one included, counts as an available update.
inline constexpr std::string_view kProductVersion = "2.0.0.1";

// The offer number the product sends with every call.
inline constexpr int kProductOfferId = 60;

class UpdateService {
 public:
  // On the default utils endpoint.
  UpdateService() = default;
  // On `endpoint` instead (tests, the inspection tool).
  explicit UpdateService(std::string endpoint) : endpoint_(std::move(endpoint)) {}

  // The download address (ANSI) when the service announces another version,
  // "" when it announces this one or the call fails. Never throws.
  std::string bxUpdate() const;

 private:
  std::optional<std::string> endpoint_;
};

}  // namespace soap
