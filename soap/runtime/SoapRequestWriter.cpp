#include "soap/runtime/SoapRequestWriter.h"

#include <new>

#include "soap/runtime/CResponseGenerator.h"
#include "soap/runtime/FieldStorage.h"
#include "soap/runtime/XsdText.h"

namespace soap {
namespace {

class RequestWriter {
 public:
  RequestWriter(CResponseGenerator& generator, CWriteStreamOnCString& stream)
      : generator_(generator), stream_(stream) {}

  bool WriteFields(const OperationDescriptor& descriptor, void* block, bool parameters) {
    for (const FieldDescriptor* field = descriptor.fields; !field->IsEnd(); ++field) {
      if (field->Has(kFieldNoMarshal) || (parameters && !field->Has(kFieldIn))) continue;
      if (!WriteField(*field, field->locate(block), parameters)) return false;
    }
    return true;
  }

 private:
  bool WriteField(const FieldDescriptor& field, void* value, bool topLevel) {
    if (!field.Has(kFieldDynamicArray)) {
      return WriteValue(field.Name(), field.type, field.chain, field.Has(kFieldNullable), value,
                        topLevel);
    }
    const std::size_t count = field.array->count(value);
    if (field.Has(kFieldArrayWrapper)) {
      // Inside a wrapper record every item is an element named after the field.
      for (std::size_t i = 0; i < count; ++i) {
        if (!WriteValue(field.Name(), field.type, field.chain, true, field.array->item(value, i),
                        false)) {
          return false;
        }
      }
      return true;
    }
    const std::string_view itemName =
        field.type >= 0 ? XsdTypeName(field.type) : field.chain->Name();
    generator_.StartField(stream_, field.Name(), {field.type, field.chain, true, count}, topLevel);
    for (std::size_t i = 0; i < count; ++i) {
      if (!WriteValue(itemName, field.type, field.chain, true, field.array->item(value, i),
                      false)) {
        return false;
      }
    }
    generator_.EndField(stream_, field.Name());
    return true;
  }

  bool WriteValue(std::string_view name, int type, const OperationDescriptor* chain, bool nullable,
                  void* value, bool topLevel) {
    const StorageKind kind = StorageKindOf(type, chain);
    if (kind == StorageKind::kString && nullable && !static_cast<SoapString*>(value)->has_value()) {
      generator_.NilField(stream_, name);
      return true;
    }
    if (kind == StorageKind::kUnsupported) return false;
    generator_.StartField(stream_, name, {type, chain, false, 0}, topLevel);
    std::string& out = stream_.Target();
    switch (kind) {
      case StorageKind::kString:
        if (const SoapString& text = *static_cast<SoapString*>(value))
          AppendEscapedText(out, *text);
        break;
      case StorageKind::kBoolean:
        AppendBoolean(out, *static_cast<bool*>(value));
        break;
      case StorageKind::kInt:
        AppendInt(out, *static_cast<std::int32_t*>(value));
        break;
      case StorageKind::kDouble:
        AppendDouble(out, *static_cast<double*>(value), type != kXsdDecimal);
        break;
      case StorageKind::kBytes:
        if (type == kXsdHexBinary) {
          AppendHexBinary(out, *static_cast<SoapBytes*>(value));
        } else {
          AppendBase64(out, *static_cast<SoapBytes*>(value));
        }
        break;
      case StorageKind::kEnumeration: {
        const FieldDescriptor* entry = FindEnumerationValue(*chain, *static_cast<int*>(value));
        if (entry == nullptr) return false;
        stream_.Write(entry->Name());
        break;
      }
      case StorageKind::kRecord:
        if (!WriteFields(*chain, value, false)) return false;
        break;
      case StorageKind::kUnsupported:
        return false;
    }
    generator_.EndField(stream_, name);
    return true;
  }

  CResponseGenerator& generator_;
  CWriteStreamOnCString& stream_;
};

bool HasInEntries(const OperationDescriptor& descriptor) {
  for (const FieldDescriptor* field = descriptor.fields; !field->IsEnd(); ++field) {
    if (field->Has(kFieldIn) && !field->Has(kFieldNoMarshal)) return true;
  }
  return false;
}

}  // namespace

bool WriteRequestEnvelope(std::string& body, const SoapOperation& operation, const void* block) {
  try {
    const std::unique_ptr<CResponseGenerator> generator = MakeGenerator(operation.body->style);
    CWriteStreamOnCString stream(body);
    if (operation.headers != nullptr && HasInEntries(*operation.headers)) return false;
    generator->StartEnvelope(stream);
    generator->StartBody(stream);
    generator->StartMap(stream, *operation.body);
    RequestWriter writer(*generator, stream);
    // The block is only read; the accessors are shared with the parser and
    // so take it mutable.
    if (!writer.WriteFields(*operation.body, const_cast<void*>(block), true)) return false;
    generator->EndMap(stream, *operation.body);
    generator->EndBody(stream);
    generator->EndEnvelope(stream);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace soap
