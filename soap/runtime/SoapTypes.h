// Native values of the SOAP runtime and the codes it shares with the
// service proxies. Results belong to the caller and free themselves: a
// string is an owning wide string that can also be null (absent or
// xsi:nil, which is not the same as empty), an array is a std::vector that
// owns its items and carries their count.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace soap {

using SoapString = std::optional<std::u16string>;
using SoapBytes = std::vector<std::uint8_t>;  // base64Binary and hexBinary

// The XML Schema built-in types, in the order whose position is the type
// code that descriptor tables carry.
enum XsdType : int {
  kXsdString,
  kXsdBoolean,
  kXsdFloat,
  kXsdDouble,
  kXsdDecimal,
  kXsdDuration,
  kXsdHexBinary,
  kXsdBase64Binary,
  kXsdAnyUri,
  kXsdId,
  kXsdIdRef,
  kXsdEntity,
  kXsdNotation,
  kXsdQName,
  kXsdNormalizedString,
  kXsdToken,
  kXsdLanguage,
  kXsdIdRefs,
  kXsdEntities,
  kXsdNmToken,
  kXsdNmTokens,
  kXsdName,
  kXsdNcName,
  kXsdInteger,
  kXsdNonPositiveInteger,
  kXsdNegativeInteger,
  kXsdLong,
  kXsdInt,
  kXsdShort,
  kXsdByte,
  kXsdNonNegativeInteger,
  kXsdUnsignedLong,
  kXsdUnsignedInt,
  kXsdUnsignedShort,
  kXsdUnsignedByte,
  kXsdPositiveInteger,
  kXsdDateTime,
  kXsdTime,
  kXsdDate,
  kXsdGMonth,
  kXsdGYearMonth,
  kXsdGYear,
  kXsdGMonthDay,
  kXsdGDay,
  kXsdTypeCount,
};
static_assert(kXsdInt == 27 && kXsdGDay == 43);

// The schema name of a type code ("string", "int", ...): the element name of
// an array item of that type, and the xsi:type of rpc/encoded values.
const char* XsdTypeName(int type);

// The proxy's last error, readable after every call and reset at the start
// of the next.
enum class SoapClientError : int {
  kSuccess = 0,
  kInitializeError = 1,  // the XML reader cannot be created or given its handler
  kOutOfMemory = 2,      // the parameter block cannot be prepared, or memory ran out
  kGenerateError = 3,    // writing the request envelope failed
  kConnectError = 4,     // reserved: connection failures report kSendError
  kSendError = 5,        // the HTTP exchange failed and the status is not 500
  kServerError = 6,      // the exchange succeeded with a status other than 200, 202, 500
  kSoapFault = 7,        // the status is 500 and the body is a SOAP Fault
  kFaultParseError = 8,  // the body of a 500 answer is not a readable SOAP Fault
  kReadError = 9,        // the response body cannot be opened as a stream
  kParseError = 10,      // the response does not match the operation's descriptors
};

enum class SoapFaultCode { kUnknown, kVersionMismatch, kMustUnderstand, kClient, kServer };

struct SoapFault {
  SoapFaultCode code = SoapFaultCode::kUnknown;
  std::u16string faultString;
  std::u16string faultActor;
  std::u16string detail;  // the detail element's content as XML text
};

// The fault string the runtime puts in a fault it has to make up itself.
inline constexpr char16_t kApplicationFaultString[] = u"SOAP Server Application Faulted";

}  // namespace soap
