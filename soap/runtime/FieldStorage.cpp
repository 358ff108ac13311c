#include "soap/runtime/FieldStorage.h"

namespace soap {

const FieldDescriptor* FindEnumerationValue(const OperationDescriptor& enumeration, int value) {
  for (const FieldDescriptor* entry = enumeration.fields; !entry->IsEnd(); ++entry) {
    if (entry->type == value) return entry;
  }
  return nullptr;
}

void ResetFields(const OperationDescriptor& descriptor, void* block, bool outOnly) {
  for (const FieldDescriptor* field = descriptor.fields; !field->IsEnd(); ++field) {
    if (field->locate == nullptr || (outOnly && !field->Has(kFieldOut))) continue;
    void* value = field->locate(block);
    if (field->Has(kFieldDynamicArray)) {
      field->array->clear(value);
      continue;
    }
    switch (StorageKindOf(field->type, field->chain)) {
      case StorageKind::kString:
        static_cast<SoapString*>(value)->reset();
        break;
      case StorageKind::kBoolean:
        *static_cast<bool*>(value) = false;
        break;
      case StorageKind::kInt:
        *static_cast<std::int32_t*>(value) = 0;
        break;
      case StorageKind::kDouble:
        *static_cast<double*>(value) = 0;
        break;
      case StorageKind::kBytes:
        static_cast<SoapBytes*>(value)->clear();
        break;
      case StorageKind::kEnumeration:
        *static_cast<int*>(value) = 0;
        break;
      case StorageKind::kRecord:
        ResetFields(*field->chain, value);
        break;
      case StorageKind::kUnsupported:
        break;
    }
  }
}

}  // namespace soap
