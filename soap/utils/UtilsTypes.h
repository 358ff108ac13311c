// The records of the utils service in their native form. Member names are
// the element names on the wire (note `EncMemberId` here against the
// parameter `EncMemberID`); a SoapString is null when the service left the
// element out or sent it as nil.
#pragma once

#include <cstdint>

#include "soap/runtime/SoapTypes.h"

namespace Utils {

using soap::SoapBytes;
using soap::SoapString;

struct LoginInfo {
  SoapString LoginStatus;
  SoapString OfferStatus;
  SoapString UserName;
  SoapString EncMemberId;  // non-empty means the member is logged in
  SoapString SSO;
};

struct DesktopVersion {
  std::int32_t DesktopVersionId = 0;
  SoapString DownloadURL;
  std::int32_t OfferId = 0;
  std::int32_t pFrequency = 0;
  bool UpgradeRequired = false;
  SoapString VersionNumber;
};

// The same six names as DesktopVersion, every one a nullable string.
struct DesktopVersion2 {
  SoapString DesktopVersionId;
  SoapString DownloadURL;
  SoapString OfferId;
  SoapString pFrequency;
  SoapString UpgradeRequired;
  SoapString VersionNumber;
};

}  // namespace Utils
