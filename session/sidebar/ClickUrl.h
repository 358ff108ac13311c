// Which click URLs an ad's anchors may open. The popup frames the URL in an
// iframe of a window the sidebar's trusted page opened, so a javascript:,
// vbscript: or data: address would run script there; only http and https
// addresses get a click action.
#pragma once

#include <optional>
#include <string>

#include "soap/runtime/SoapTypes.h"

namespace session {

// The address the ad's popup opens, percent-encoded by PercentEncodeUrl;
// absent when the ad has none, or when it does not start with "http://" or
// "https://" (compared case-insensitively, so "HTTP://" passes and
// " http://" does not).
std::optional<std::u16string> ClickActionUrl(const soap::SoapString& clickUrl);

}  // namespace session
