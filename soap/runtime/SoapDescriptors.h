// The descriptor tables that drive the SOAP runtime. Each operation, record
// and enumeration has one constant `OperationDescriptor`; each parameter,
// result, record field and enumeration value one `FieldDescriptor`. The
// service proxies define them as constexpr data (hashes and lengths are
// computed by the compiler) and one generic runtime writes requests and
// reads responses from them: there is no per-operation code.
//
// Where the original tables hold a byte offset into a native block, these
// hold a small accessor (`locate`) generated from a member pointer, because
// the native values here own their memory (strings, vectors) and are not
// plain bytes. A dynamic array additionally names the operations that grow
// its vector. The builders check at compile time that each member's C++
// type is the native form of the field's XSD type, so a table cannot make
// the runtime write a value of the wrong type.
//
// Writing a table (see SoapTestTables.h for complete examples):
//   constexpr FieldDescriptor kItemFields[] = {
//       Field<&Item::Title, "Title">(kXsdString, kFieldOut | kFieldNullable),
//       Field<&Item::Price, "Price">(kXsdDecimal, kFieldOut),
//       kEndOfFields};
//   constexpr OperationDescriptor kItem = Record<Item, "Item", kNamespace>(kItemFields);
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>
#include <vector>

#include "soap/runtime/ElementHash.h"
#include "soap/runtime/SoapTypes.h"

namespace soap {

struct OperationDescriptor;

enum class DescriptorKind : int {
  kNone = 0,
  kEnumeration = 1,
  kOperation = 2,
  kRecord = 3,
  kUnion = 4,
  kHeaderSet = 5,
  kParameterSet = 6,
};

// How the body of a request is laid out.
enum class CallStyle : int {
  kDocumentLiteralWrapped,  // document/literal, parameters in one element named after the operation
  kDocumentLiteral,         // document/literal, parameters directly in the body
  kRpcEncoded,              // rpc/encoded with xsi:type on every value
};

// Field properties.
enum FieldFlags : std::uint32_t {
  kFieldIn = 0x001,   // sent by the client
  kFieldOut = 0x002,  // received by the client
  kFieldDynamicArray = 0x004,
  kFieldFixedArray = 0x008,  // known to the format; no service uses it, the runtime refuses it
  kFieldMustUnderstand = 0x010,
  kFieldRecord = 0x020,        // a field of a record (not a parameter)
  kFieldNoMarshal = 0x040,     // the hidden count of a dynamic array: never on the wire
  kFieldNullable = 0x080,      // may be absent or xsi:nil
  kFieldArrayWrapper = 0x100,  // dynamic array inside a wrapper record: one element per item
};

// How the runtime grows and reads the vector behind a dynamic array.
struct ArrayOps {
  std::size_t (*count)(const void* array);
  void* (*item)(void* array, std::size_t index);
  void* (*append)(void* array);  // value-initialised item: null strings, zero numbers
  void (*clear)(void* array);
};

struct FieldDescriptor {
  std::uint32_t hash = 0;
  const char* name = nullptr;
  const char16_t* wideName = nullptr;
  int nameLength = 0;
  // An XsdType code; -1 when `chain` names the record or enumeration type;
  // in an enumeration's own table, the numeric value of that name.
  int type = 0;
  std::uint32_t flags = 0;
  void* (*locate)(void* block) = nullptr;  // in place of the native block offset
  const ArrayOps* array = nullptr;         // dynamic arrays only
  const int* dimensions = nullptr;         // fixed arrays; none here
  const OperationDescriptor* chain = nullptr;
  int sizeIsIndex = -1;  // dynamic array: index of its hidden count entry
  std::uint32_t namespaceHash = 0;
  const char* namespaceUri = nullptr;
  int namespaceLength = 0;

  constexpr std::string_view Name() const { return {name, static_cast<std::size_t>(nameLength)}; }
  constexpr bool IsEnd() const { return hash == 0 && name == nullptr; }
  constexpr bool Has(std::uint32_t flag) const { return (flags & flag) != 0; }
};

struct OperationDescriptor {
  std::uint32_t hash = 0;  // of the wide name: for an operation, its response element
  const char* name = nullptr;
  const char16_t* wideName = nullptr;
  int nameLength = 0;
  int wideNameLength = 0;
  DescriptorKind kind = DescriptorKind::kNone;
  const FieldDescriptor* fields = nullptr;  // ended by kEndOfFields
  std::size_t blockSize = 0;
  int elementCount = 1;
  int returnIndex = -1;
  CallStyle style = CallStyle::kDocumentLiteralWrapped;
  std::uint32_t namespaceHash = 0;
  const char* namespaceUri = nullptr;
  const char16_t* wideNamespace = nullptr;
  int namespaceLength = 0;

  constexpr std::string_view Name() const { return {name, static_cast<std::size_t>(nameLength)}; }
  constexpr std::u16string_view WideName() const {
    return {wideName, static_cast<std::size_t>(wideNameLength)};
  }
  constexpr std::string_view Namespace() const {
    return {namespaceUri, static_cast<std::size_t>(namespaceLength)};
  }
};

inline constexpr FieldDescriptor kEndOfFields{};

// What one service call needs: the body's descriptor and its header set
// (which has no entries for any operation of the services).
struct SoapOperation {
  const OperationDescriptor* body;
  const OperationDescriptor* headers;
};

// ---- Building tables --------------------------------------------------

// A name given as a template argument, so its narrow and wide spellings get
// static storage and compile-time hashes.
template <std::size_t N>
struct ElementName {
  char text[N];
  constexpr ElementName(const char (&literal)[N]) { std::copy_n(literal, N, text); }
  constexpr std::string_view View() const { return {text, N - 1}; }
};

namespace detail {

template <ElementName Name>
struct NameStorage {
  static constexpr std::string_view narrow = Name.View();
  static constexpr auto wide = [] {
    std::array<char16_t, sizeof(Name.text)> result{};
    for (std::size_t i = 0; i < result.size(); ++i) {
      // Element names are compared against the reader's UTF-8 byte by byte,
      // which is exact only for ASCII names; every schema name here is one.
      if (static_cast<unsigned char>(Name.text[i]) > 0x7F) throw "element names must be ASCII";
      result[i] = static_cast<char16_t>(Name.text[i]);
    }
    return result;
  }();
};

template <ElementName Name>
struct ResponseNameStorage {
  static constexpr auto wide = [] {
    constexpr std::u16string_view suffix = u"Response";
    std::array<char16_t, sizeof(Name.text) + suffix.size()> result{};
    std::copy_n(NameStorage<Name>::wide.data(), sizeof(Name.text) - 1, result.data());
    std::copy_n(suffix.data(), suffix.size(), result.data() + sizeof(Name.text) - 1);
    return result;
  }();
  static constexpr std::u16string_view view{wide.data(), wide.size() - 1};
};

template <typename T>
struct IsVector : std::false_type {};
template <typename T>
struct IsVector<std::vector<T>> : std::true_type {
  using Item = T;
};

template <typename T>
struct MemberTraits;
template <typename Owner, typename Value>
struct MemberTraits<Value Owner::*> {
  using OwnerType = Owner;
  using ValueType = Value;
};

template <auto Member>
void* Locate(void* block) {
  using Owner = typename MemberTraits<decltype(Member)>::OwnerType;
  return &(static_cast<Owner*>(block)->*Member);
}

template <typename Item>
struct VectorOps {
  static std::size_t Count(const void* array) {
    return static_cast<const std::vector<Item>*>(array)->size();
  }
  static void* ItemAt(void* array, std::size_t index) {
    return &(*static_cast<std::vector<Item>*>(array))[index];
  }
  static void* Append(void* array) {
    return &static_cast<std::vector<Item>*>(array)->emplace_back();
  }
  // Frees the storage too: this is also the free routine of a result.
  static void Clear(void* array) {
    std::vector<Item>().swap(*static_cast<std::vector<Item>*>(array));
  }
  static constexpr ArrayOps kOps{Count, ItemAt, Append, Clear};
};

// The native form the runtime uses for a single value of (type, chain).
template <typename T>
constexpr bool IsNativeFormOf(int type, const OperationDescriptor* chain);

constexpr bool IsStringType(int type) {
  switch (type) {
    case kXsdString:
    case kXsdDuration:
    case kXsdAnyUri:
    case kXsdId:
    case kXsdIdRef:
    case kXsdEntity:
    case kXsdNotation:
    case kXsdQName:
    case kXsdNormalizedString:
    case kXsdToken:
    case kXsdLanguage:
    case kXsdIdRefs:
    case kXsdEntities:
    case kXsdNmToken:
    case kXsdNmTokens:
    case kXsdName:
    case kXsdNcName:
    case kXsdDateTime:
    case kXsdTime:
    case kXsdDate:
    case kXsdGMonth:
    case kXsdGYearMonth:
    case kXsdGYear:
    case kXsdGMonthDay:
    case kXsdGDay:
      return true;
    default:
      return false;
  }
}

}  // namespace detail

// A parameter, result or record field stored in `Member`. For a dynamic
// array `Member` is a std::vector of the item's native form.
template <auto Member, ElementName Name>
constexpr FieldDescriptor Field(int type, std::uint32_t flags,
                                const OperationDescriptor* chain = nullptr, int sizeIsIndex = -1);

// The hidden count entry of the dynamic array at `arrayIndex`. The vector
// carries its own count, so this entry only keeps the table's shape.
template <ElementName Name>
constexpr FieldDescriptor ArrayCount(std::uint32_t flags) {
  FieldDescriptor field;
  field.name = detail::NameStorage<Name>::narrow.data();
  field.wideName = detail::NameStorage<Name>::wide.data();
  field.nameLength = static_cast<int>(detail::NameStorage<Name>::narrow.size());
  field.hash = ElementHash(detail::NameStorage<Name>::narrow);
  field.type = kXsdInt;
  field.flags = flags | kFieldNoMarshal;
  return field;
}

// One value name of an enumeration with its number.
template <ElementName Name>
constexpr FieldDescriptor EnumValue(int value) {
  FieldDescriptor field;
  field.name = detail::NameStorage<Name>::narrow.data();
  field.wideName = detail::NameStorage<Name>::wide.data();
  field.nameLength = static_cast<int>(detail::NameStorage<Name>::narrow.size());
  field.hash = ElementHash(detail::NameStorage<Name>::narrow);
  field.type = value;
  return field;
}

namespace detail {

// The response parser tracks which fields it has seen in one 64-bit mask.
inline constexpr int kMaxFieldsPerDescriptor = 64;

constexpr const FieldDescriptor* CheckedFields(const FieldDescriptor* fields) {
  int count = 0;
  while (!fields[count].IsEnd()) ++count;
  if (count > kMaxFieldsPerDescriptor) throw "a descriptor may have at most 64 entries";
  return fields;
}

template <ElementName Namespace>
constexpr void SetNamespace(OperationDescriptor& descriptor) {
  descriptor.namespaceUri = NameStorage<Namespace>::narrow.data();
  descriptor.wideNamespace = NameStorage<Namespace>::wide.data();
  descriptor.namespaceLength = static_cast<int>(NameStorage<Namespace>::narrow.size());
  descriptor.namespaceHash = ElementHash(NameStorage<Namespace>::narrow);
}

template <ElementName Name>
constexpr void SetSameNames(OperationDescriptor& descriptor) {
  descriptor.name = NameStorage<Name>::narrow.data();
  descriptor.wideName = NameStorage<Name>::wide.data();
  descriptor.nameLength = static_cast<int>(NameStorage<Name>::narrow.size());
  descriptor.wideNameLength = descriptor.nameLength;
  descriptor.hash = ElementHash(NameStorage<Name>::narrow);
}

}  // namespace detail

// An operation whose parameters and results live in a `Params` block; its
// wide name (and hash) is the response element, Name + "Response".
template <typename Params, ElementName Name, ElementName Namespace>
constexpr OperationDescriptor Operation(const FieldDescriptor* fields,
                                        CallStyle style = CallStyle::kDocumentLiteralWrapped) {
  OperationDescriptor descriptor;
  descriptor.name = detail::NameStorage<Name>::narrow.data();
  descriptor.nameLength = static_cast<int>(detail::NameStorage<Name>::narrow.size());
  descriptor.wideName = detail::ResponseNameStorage<Name>::wide.data();
  descriptor.wideNameLength = static_cast<int>(detail::ResponseNameStorage<Name>::view.size());
  descriptor.hash = ElementHash(detail::ResponseNameStorage<Name>::view);
  descriptor.kind = DescriptorKind::kOperation;
  descriptor.fields = detail::CheckedFields(fields);
  descriptor.blockSize = sizeof(Params);
  descriptor.style = style;
  detail::SetNamespace<Namespace>(descriptor);
  return descriptor;
}

template <typename Native, ElementName Name, ElementName Namespace>
constexpr OperationDescriptor Record(const FieldDescriptor* fields) {
  OperationDescriptor descriptor;
  detail::SetSameNames<Name>(descriptor);
  descriptor.kind = DescriptorKind::kRecord;
  descriptor.fields = detail::CheckedFields(fields);
  descriptor.blockSize = sizeof(Native);
  detail::SetNamespace<Namespace>(descriptor);
  return descriptor;
}

template <ElementName Name, ElementName Namespace>
constexpr OperationDescriptor Enumeration(const FieldDescriptor* values) {
  OperationDescriptor descriptor;
  detail::SetSameNames<Name>(descriptor);
  descriptor.kind = DescriptorKind::kEnumeration;
  descriptor.fields = values;
  descriptor.blockSize = sizeof(int);
  detail::SetNamespace<Namespace>(descriptor);
  return descriptor;
}

// An operation's header set: no entries, so no SOAP header is written.
template <ElementName Name, ElementName Namespace>
constexpr OperationDescriptor HeaderSet() {
  OperationDescriptor descriptor;
  detail::SetSameNames<Name>(descriptor);
  descriptor.kind = DescriptorKind::kHeaderSet;
  descriptor.fields = &kEndOfFields;
  detail::SetNamespace<Namespace>(descriptor);
  return descriptor;
}

// ---- Builder internals ------------------------------------------------

namespace detail {

template <typename T>
constexpr bool IsNativeFormOf(int type, const OperationDescriptor* chain) {
  if (type == -1) {
    // No null check: a missing chain is a null dereference, which already
    // stops constant evaluation, and GCC's UBSan builds cannot compare the
    // address of a constexpr table with null at compile time.
    if (chain->kind == DescriptorKind::kEnumeration) return std::is_same_v<T, int>;
    if (chain->kind == DescriptorKind::kRecord)
      return std::is_class_v<T> && sizeof(T) == chain->blockSize;
    return false;
  }
  if (IsStringType(type)) return std::is_same_v<T, SoapString>;
  switch (type) {
    case kXsdBoolean:
      return std::is_same_v<T, bool>;
    case kXsdFloat:
    case kXsdDouble:
    case kXsdDecimal:
      return std::is_same_v<T, double>;
    case kXsdHexBinary:
    case kXsdBase64Binary:
      return std::is_same_v<T, SoapBytes>;
    case kXsdInt:
      return std::is_same_v<T, std::int32_t>;
    default:
      return false;  // integer kinds other than int have no native form here
  }
}

}  // namespace detail

template <auto Member, ElementName Name>
constexpr FieldDescriptor Field(int type, std::uint32_t flags, const OperationDescriptor* chain,
                                int sizeIsIndex) {
  using Value = typename detail::MemberTraits<decltype(Member)>::ValueType;
  FieldDescriptor field;
  field.name = detail::NameStorage<Name>::narrow.data();
  field.wideName = detail::NameStorage<Name>::wide.data();
  field.nameLength = static_cast<int>(detail::NameStorage<Name>::narrow.size());
  field.hash = ElementHash(detail::NameStorage<Name>::narrow);
  field.type = type;
  field.flags = flags;
  field.locate = detail::Locate<Member>;
  field.chain = chain;
  field.sizeIsIndex = sizeIsIndex;
  if ((flags & kFieldFixedArray) != 0) throw "fixed arrays are not supported";
  // SoapBytes is a vector too, but one value, not an array.
  if constexpr (detail::IsVector<Value>::value && !std::is_same_v<Value, SoapBytes>) {
    using Item = typename detail::IsVector<Value>::Item;
    static_assert(!std::is_same_v<Item, bool>, "std::vector<bool> cannot hand out item pointers");
    if ((flags & kFieldDynamicArray) == 0) throw "a std::vector member needs kFieldDynamicArray";
    if (!detail::IsNativeFormOf<Item>(type, chain))
      throw "array item type does not match the XSD type";
    field.array = &detail::VectorOps<Item>::kOps;
  } else {
    if ((flags & kFieldDynamicArray) != 0) throw "a dynamic array must be a std::vector member";
    if (!detail::IsNativeFormOf<Value>(type, chain))
      throw "member type does not match the XSD type";
  }
  return field;
}

}  // namespace soap
