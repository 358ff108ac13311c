// Shared by the ads and utils tables: one operation of a service as the
// runtime needs it (body descriptor plus its empty header set), built from
// the operation's parameter block, name and field table, and the flag sets
// the tables use over and over.
#pragma once

#include <cstdint>

#include "soap/runtime/SoapDescriptors.h"

namespace soap {

template <typename Params, ElementName Name, ElementName Namespace, const auto& Fields>
struct ServiceOperation {
  static constexpr OperationDescriptor body = Operation<Params, Name, Namespace>(Fields);
  // No operation of either service sends or expects a SOAP header.
  static constexpr OperationDescriptor headers = HeaderSet<Name, Namespace>();
  static constexpr SoapOperation operation{&body, &headers};
};

inline constexpr std::uint32_t kInValue = kFieldIn;
inline constexpr std::uint32_t kInString = kFieldIn | kFieldNullable;
inline constexpr std::uint32_t kInArray = kFieldIn | kFieldDynamicArray | kFieldNullable;
inline constexpr std::uint32_t kOutValue = kFieldOut;
inline constexpr std::uint32_t kOutString = kFieldOut | kFieldNullable;
inline constexpr std::uint32_t kOutArray = kFieldOut | kFieldDynamicArray | kFieldNullable;
inline constexpr std::uint32_t kRecordValue = kFieldRecord;
inline constexpr std::uint32_t kRecordString = kFieldRecord | kFieldNullable;

}  // namespace soap
