#include "tools/inspect/DescriptorArguments.h"

#include <set>

#include "platform/text/CodePage.h"
#include "soap/runtime/FieldStorage.h"
#include "soap/runtime/XsdText.h"

namespace tools {
namespace {

bool IsSettable(const soap::FieldDescriptor& field) {
  return field.Has(soap::kFieldIn) && !field.Has(soap::kFieldNoMarshal);
}

const soap::FieldDescriptor* FindInField(const soap::OperationDescriptor& operation,
                                         std::string_view name) {
  for (const soap::FieldDescriptor* field = operation.fields; !field->IsEnd(); ++field) {
    if (IsSettable(*field) && field->Name() == name) return field;
  }
  return nullptr;
}

std::string TypeName(const soap::FieldDescriptor& field) {
  std::string name = field.type >= 0 || field.chain == nullptr
                         ? std::string(soap::XsdTypeName(field.type))
                         : std::string(field.chain->Name());
  if (field.Has(soap::kFieldDynamicArray)) name += "[]";
  return name;
}

// Stores one value of the field's type at `target`; false when the text
// is not a value of that type.
bool StoreValue(const soap::FieldDescriptor& field, void* target, std::string_view text) {
  switch (soap::StorageKindOf(field.type, field.chain)) {
    case soap::StorageKind::kString:
      *static_cast<soap::SoapString*>(target) = platform::Utf8ToWide(text);
      return true;
    case soap::StorageKind::kInt: {
      const auto value = soap::ReadInt(text);
      if (value) *static_cast<std::int32_t*>(target) = *value;
      return value.has_value();
    }
    case soap::StorageKind::kBoolean: {
      const auto value = soap::ReadBoolean(text);
      if (value) *static_cast<bool*>(target) = *value;
      return value.has_value();
    }
    case soap::StorageKind::kDouble: {
      const auto value = soap::ReadDouble(text);
      if (value) *static_cast<double*>(target) = *value;
      return value.has_value();
    }
    case soap::StorageKind::kBytes: {
      auto value =
          field.type == soap::kXsdHexBinary ? soap::ReadHexBinary(text) : soap::ReadBase64(text);
      if (value) *static_cast<soap::SoapBytes*>(target) = std::move(*value);
      return value.has_value();
    }
    case soap::StorageKind::kEnumeration:
    case soap::StorageKind::kRecord:
    case soap::StorageKind::kUnsupported:
      return false;  // no operation takes one as an in-parameter
  }
  return false;
}

}  // namespace

std::string FillInParameters(const soap::OperationDescriptor& operation, void* block,
                             const std::vector<std::string_view>& assignments) {
  std::set<std::string_view, std::less<>> given;
  for (const std::string_view assignment : assignments) {
    const std::size_t equals = assignment.find('=');
    if (equals == std::string_view::npos)
      return "expected NAME=VALUE, got '" + std::string(assignment) + "'";
    const std::string_view name = assignment.substr(0, equals);
    const std::string_view text = assignment.substr(equals + 1);
    const soap::FieldDescriptor* field = FindInField(operation, name);
    if (field == nullptr) {
      const std::string known = DescribeInParameters(operation);
      return std::string(operation.Name()) + " has no parameter '" + std::string(name) + "'; " +
             (known.empty() ? "it takes none" : "its parameters: " + known);
    }
    void* target = field->locate(block);
    if (field->Has(soap::kFieldDynamicArray)) {
      target = field->array->append(target);
    } else if (!given.insert(name).second) {
      return "parameter '" + std::string(name) + "' given twice";
    }
    if (!StoreValue(*field, target, text)) {
      return "'" + std::string(text) + "' is not a valid value for " + std::string(name);
    }
  }
  return "";
}

std::vector<InParameter> InParameters(const soap::OperationDescriptor& operation) {
  std::vector<InParameter> parameters;
  for (const soap::FieldDescriptor* field = operation.fields; !field->IsEnd(); ++field) {
    if (IsSettable(*field)) parameters.push_back({field->Name(), TypeName(*field)});
  }
  return parameters;
}

std::string DescribeInParameters(const soap::OperationDescriptor& operation) {
  std::string text;
  for (const InParameter& parameter : InParameters(operation)) {
    if (!text.empty()) text += ", ";
    text.append(parameter.name).append(" (").append(parameter.type).append(")");
  }
  return text;
}

}  // namespace tools
