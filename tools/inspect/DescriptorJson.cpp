#include "tools/inspect/DescriptorJson.h"

#include <cmath>
#include <string>

#include "platform/text/CodePage.h"
#include "soap/runtime/FieldStorage.h"
#include "soap/runtime/XsdText.h"

namespace tools {
namespace {

void WriteValue(JsonWriter& json, const soap::FieldDescriptor& field, void* value);

void WriteFields(JsonWriter& json, const soap::OperationDescriptor& descriptor, void* block,
                 bool outOnly) {
  json.BeginObject();
  for (const soap::FieldDescriptor* field = descriptor.fields; !field->IsEnd(); ++field) {
    if (field->Has(soap::kFieldNoMarshal) || (outOnly && !field->Has(soap::kFieldOut))) continue;
    json.Key(field->Name());
    void* value = field->locate(block);
    if (!field->Has(soap::kFieldDynamicArray)) {
      WriteValue(json, *field, value);
      continue;
    }
    json.BeginArray();
    const std::size_t count = field->array->count(value);
    for (std::size_t i = 0; i < count; ++i) WriteValue(json, *field, field->array->item(value, i));
    json.EndArray();
  }
  json.EndObject();
}

void WriteDouble(JsonWriter& json, double value) {
  if (std::isnan(value)) {
    json.Utf8String("NaN");
  } else if (std::isinf(value)) {
    json.Utf8String(value > 0 ? "INF" : "-INF");
  } else {
    json.Number(value);
  }
}

void WriteValue(JsonWriter& json, const soap::FieldDescriptor& field, void* value) {
  switch (soap::StorageKindOf(field.type, field.chain)) {
    case soap::StorageKind::kString: {
      const soap::SoapString& text = *static_cast<soap::SoapString*>(value);
      if (text) {
        json.Utf8String(platform::WideToUtf8(*text));
      } else {
        json.Null();
      }
      return;
    }
    case soap::StorageKind::kInt:
      json.Integer(*static_cast<std::int32_t*>(value));
      return;
    case soap::StorageKind::kBoolean:
      json.Boolean(*static_cast<bool*>(value));
      return;
    case soap::StorageKind::kDouble:
      WriteDouble(json, *static_cast<double*>(value));
      return;
    case soap::StorageKind::kBytes: {
      std::string text;
      soap::AppendBase64(text, *static_cast<soap::SoapBytes*>(value));
      std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
      json.Utf8String(text);
      return;
    }
    case soap::StorageKind::kEnumeration: {
      const int number = *static_cast<int*>(value);
      const soap::FieldDescriptor* entry = soap::FindEnumerationValue(*field.chain, number);
      if (entry != nullptr) {
        json.Utf8String(entry->Name());
      } else {
        json.Integer(number);
      }
      return;
    }
    case soap::StorageKind::kRecord:
      WriteFields(json, *field.chain, value, false);
      return;
    case soap::StorageKind::kUnsupported:
      json.Null();
      return;
  }
}

}  // namespace

void WriteOutValues(JsonWriter& json, const soap::OperationDescriptor& operation, void* block) {
  WriteFields(json, operation, block, true);
}

}  // namespace tools
