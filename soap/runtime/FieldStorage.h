// How the generic runtime reads a field's native storage: which native form
// a (type code, chain) pair has, and the helpers the writer, the parser and
// the free routine share.
#pragma once

#include "soap/runtime/SoapDescriptors.h"

namespace soap {

enum class StorageKind {
  kString,       // SoapString
  kBoolean,      // bool
  kInt,          // std::int32_t
  kDouble,       // double (float, double, decimal)
  kBytes,        // SoapBytes (base64Binary, hexBinary)
  kEnumeration,  // int
  kRecord,       // the record's native struct
  kUnsupported,
};

// The native form of a value of (type, chain); inline because the parser
// asks for every element of a response.
inline StorageKind StorageKindOf(int type, const OperationDescriptor* chain) {
  if (type == -1) {
    if (chain == nullptr) return StorageKind::kUnsupported;
    if (chain->kind == DescriptorKind::kEnumeration) return StorageKind::kEnumeration;
    if (chain->kind == DescriptorKind::kRecord) return StorageKind::kRecord;
    return StorageKind::kUnsupported;
  }
  if (detail::IsStringType(type)) return StorageKind::kString;
  switch (type) {
    case kXsdBoolean:
      return StorageKind::kBoolean;
    case kXsdInt:
      return StorageKind::kInt;
    case kXsdFloat:
    case kXsdDouble:
    case kXsdDecimal:
      return StorageKind::kDouble;
    case kXsdHexBinary:
    case kXsdBase64Binary:
      return StorageKind::kBytes;
    default:
      return StorageKind::kUnsupported;
  }
}

// The enumeration entry with this number, or null.
const FieldDescriptor* FindEnumerationValue(const OperationDescriptor& enumeration, int value);

// Resets every field of a block (or record) to null, zero or empty, freeing
// strings, arrays and nested records: the runtime's free routine. With
// `outOnly`, only an operation's out-fields are reset.
void ResetFields(const OperationDescriptor& descriptor, void* block, bool outOnly = false);

}  // namespace soap
