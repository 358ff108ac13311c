#include "platform/typelib/MsftTypeLib.h"

#include <cstdint>

#include "platform/typelib/TypeLibLimits.h"

namespace platform {
namespace {

constexpr std::uint32_t kSignature = 0x5446534D;  // "MSFT"
constexpr std::uint32_t kFormatVersion = 0x00010002;
constexpr std::size_t kHeaderSize = 0x54;
// Set in the header's flags when the offset of a help-string DLL name
// follows the header.
constexpr std::uint32_t kHelpStringDllFlag = 0x100;
constexpr std::uint32_t kSysKindMask = 0xF;
constexpr std::int32_t kAbsent = -1;

// The segment directory follows the type offsets: 15 entries of offset,
// length and two reserved words.
constexpr std::size_t kSegmentCount = 15;
constexpr std::size_t kSegmentEntrySize = 16;
enum SegmentIndex : std::size_t {
  kTypeInfoSegment = 0,
  kReferenceSegment = 3,
  kGuidSegment = 5,
  kNameSegment = 7,
  kStringSegment = 8,
};

constexpr std::size_t kGuidEntrySize = 24;        // GUID, hreftype, hash chain
constexpr std::size_t kNameEntryHeaderSize = 12;  // hreftype, hash chain, length word
constexpr std::size_t kReferenceRecordSize = 16;  // reference, flags, custom data, next

// Fields of a type record, by byte offset.
constexpr std::size_t kTypeKindField = 0x00;
constexpr std::size_t kElementCountField = 0x18;
constexpr std::size_t kGuidField = 0x2C;
constexpr std::size_t kFlagsField = 0x30;
constexpr std::size_t kNameField = 0x34;
constexpr std::size_t kVersionField = 0x38;
constexpr std::size_t kDocStringField = 0x3C;
constexpr std::size_t kHelpContextField = 0x44;
constexpr std::size_t kImplTypesField = 0x4C;  // 16-bit count, then 16-bit vtable size
constexpr std::size_t kSizeField = 0x50;
constexpr std::size_t kFirstTypeField = 0x54;  // first reference record, or the base type
constexpr std::uint32_t kTypeKindMask = 0xF;

// A window of the file; every read is checked against it.
class Span {
 public:
  Span() = default;
  explicit Span(std::string_view bytes) : bytes_(bytes) {}

  std::size_t size() const { return bytes_.size(); }

  std::optional<std::uint32_t> U32(std::size_t offset) const {
    if (offset > bytes_.size() || bytes_.size() - offset < 4) return std::nullopt;
    return Byte(offset) | Byte(offset + 1) << 8 | Byte(offset + 2) << 16 |
           static_cast<std::uint32_t>(Byte(offset + 3)) << 24;
  }
  std::optional<std::int32_t> I32(std::size_t offset) const {
    const auto value = U32(offset);
    if (!value) return std::nullopt;
    return static_cast<std::int32_t>(*value);
  }
  std::optional<std::uint16_t> U16(std::size_t offset) const {
    if (offset > bytes_.size() || bytes_.size() - offset < 2) return std::nullopt;
    return static_cast<std::uint16_t>(Byte(offset) | Byte(offset + 1) << 8);
  }
  std::optional<std::string_view> Text(std::size_t offset, std::size_t length) const {
    if (offset > bytes_.size() || bytes_.size() - offset < length) return std::nullopt;
    return bytes_.substr(offset, length);
  }
  std::optional<Span> Sub(std::int64_t offset, std::int64_t length) const {
    if (offset < 0 || length < 0 || static_cast<std::uint64_t>(offset) > bytes_.size() ||
        bytes_.size() - static_cast<std::uint64_t>(offset) < static_cast<std::uint64_t>(length)) {
      return std::nullopt;
    }
    return Span(bytes_.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(length)));
  }

 private:
  std::uint32_t Byte(std::size_t offset) const {
    return static_cast<unsigned char>(bytes_[offset]);
  }

  std::string_view bytes_;
};

class Reader {
 public:
  explicit Reader(std::string_view bytes) : file_(bytes) {}

  std::optional<MsftTypeLib> Read() {
    if (file_.U32(0) != kSignature || file_.U32(4) != kFormatVersion) return std::nullopt;
    const auto flags = file_.U32(0x14);
    const auto typeCount = file_.U32(0x20);
    if (!flags || !typeCount || *typeCount > file_.size() / kMsftTypeRecordSize) {
      return std::nullopt;
    }
    std::size_t directory = kHeaderSize + ((*flags & kHelpStringDllFlag) != 0 ? 4 : 0);
    directory += std::size_t{*typeCount} * 4;
    if (!ReadSegments(directory)) return std::nullopt;

    MsftTypeLib library;
    const auto syskind = *flags & kSysKindMask;
    if (syskind > SYS_WIN64) return std::nullopt;
    library.syskind = static_cast<SYSKIND>(syskind);
    const auto libid = Guid(file_.I32(0x08));
    const auto lcid = file_.U32(0x10);
    const auto version = file_.U32(0x18);
    const auto libraryFlags = file_.U32(0x1C);
    const auto helpString = String(file_.I32(0x24));
    const auto helpContext = file_.U32(0x2C);
    const auto name = Name(file_.I32(0x38));
    const auto helpFile = String(file_.I32(0x3C));
    if (!libid || !lcid || !version || !libraryFlags || !helpString || !helpContext || !name ||
        !helpFile) {
      return std::nullopt;
    }
    library.libid = *libid;
    library.lcid = *lcid;
    library.majorVersion = static_cast<WORD>(*version);
    library.minorVersion = static_cast<WORD>(*version >> 16);
    library.flags = static_cast<WORD>(*libraryFlags);
    library.helpString = std::move(*helpString);
    library.helpContext = *helpContext;
    library.name = std::move(*name);
    library.helpFile = std::move(*helpFile);

    if (segments_[kTypeInfoSegment].size() / kMsftTypeRecordSize < *typeCount) return std::nullopt;
    library.types.reserve(*typeCount);
    for (std::uint32_t index = 0; index < *typeCount; ++index) {
      auto type = TypeInfo(index);
      if (!type) return std::nullopt;
      library.types.push_back(std::move(*type));
    }
    return library;
  }

 private:
  bool ReadSegments(std::size_t directory) {
    for (std::size_t index = 0; index < kSegmentCount; ++index) {
      const std::size_t entry = directory + index * kSegmentEntrySize;
      const auto offset = file_.I32(entry);
      const auto length = file_.I32(entry + 4);
      if (!offset || !length) return false;
      if (*offset == kAbsent) continue;
      const auto segment = file_.Sub(*offset, *length);
      if (!segment) return false;
      segments_[index] = *segment;
    }
    return true;
  }

  std::optional<GUID> Guid(std::optional<std::int32_t> offset) const {
    if (!offset) return std::nullopt;
    if (*offset == kAbsent) return GUID{};
    const auto entry = segments_[kGuidSegment].Sub(*offset, kGuidEntrySize);
    if (!entry) return std::nullopt;
    GUID guid{};
    guid.Data1 = *entry->U32(0);
    guid.Data2 = *entry->U16(4);
    guid.Data3 = *entry->U16(6);
    const std::string_view tail = *entry->Text(8, 8);
    for (std::size_t i = 0; i < 8; ++i) guid.Data4[i] = static_cast<std::uint8_t>(tail[i]);
    return guid;
  }

  // Names: a 12-byte header whose last word's low byte is the length, then
  // the characters.
  std::optional<std::string> Name(std::optional<std::int32_t> offset) const {
    if (!offset) return std::nullopt;
    if (*offset == kAbsent) return std::string();
    const auto header = segments_[kNameSegment].Sub(*offset, kNameEntryHeaderSize);
    if (!header) return std::nullopt;
    const std::size_t length = *header->U32(8) & 0xFF;
    const auto text = segments_[kNameSegment].Text(
        static_cast<std::size_t>(*offset) + kNameEntryHeaderSize, length);
    if (!text) return std::nullopt;
    return std::string(*text);
  }

  // Strings: a 16-bit length, then the characters.
  std::optional<std::string> String(std::optional<std::int32_t> offset) const {
    if (!offset) return std::nullopt;
    if (*offset == kAbsent) return std::string();
    if (*offset < 0) return std::nullopt;
    const Span& strings = segments_[kStringSegment];
    const auto length = strings.U16(static_cast<std::size_t>(*offset));
    if (!length) return std::nullopt;
    const auto text = strings.Text(static_cast<std::size_t>(*offset) + 2, *length);
    if (!text) return std::nullopt;
    return std::string(*text);
  }

  std::optional<MsftTypeInfo> TypeInfo(std::size_t index) const {
    const auto record =
        segments_[kTypeInfoSegment].Sub(index * kMsftTypeRecordSize, kMsftTypeRecordSize);
    if (!record) return std::nullopt;
    MsftTypeInfo type;
    const std::uint32_t kind = *record->U32(kTypeKindField) & kTypeKindMask;
    if (kind >= TKIND_MAX) return std::nullopt;
    type.kind = static_cast<TYPEKIND>(kind);
    const std::uint32_t elements = *record->U32(kElementCountField);
    type.functionCount = static_cast<WORD>(elements);
    type.variableCount = static_cast<WORD>(elements >> 16);
    const std::uint32_t version = *record->U32(kVersionField);
    type.majorVersion = static_cast<WORD>(version);
    type.minorVersion = static_cast<WORD>(version >> 16);
    type.flags = static_cast<WORD>(*record->U32(kFlagsField));
    type.helpContext = *record->U32(kHelpContextField);
    type.vtableSize = *record->U16(kImplTypesField + 2);
    type.instanceSize = *record->U32(kSizeField);
    auto guid = Guid(record->I32(kGuidField));
    auto name = Name(record->I32(kNameField));
    auto docString = String(record->I32(kDocStringField));
    if (!guid || !name || !docString) return std::nullopt;
    type.guid = *guid;
    type.name = std::move(*name);
    type.docString = std::move(*docString);

    const std::uint16_t implementedCount = *record->U16(kImplTypesField);
    if (implementedCount > kMaxImplementedTypes) return std::nullopt;
    const std::int32_t first = *record->I32(kFirstTypeField);
    if (!ReadImplementedTypes(type, implementedCount, first)) return std::nullopt;
    return type;
  }

  // A coclass lists its interfaces as a chain of reference records; an
  // interface names its one base type directly.
  bool ReadImplementedTypes(MsftTypeInfo& type, std::uint16_t count, std::int32_t first) const {
    if (count == 0) return true;
    if (type.kind != TKIND_COCLASS) {
      type.implementedTypes.push_back({static_cast<HREFTYPE>(first), 0});
      return true;
    }
    std::int32_t next = first;
    for (std::uint16_t read = 0; read < count; ++read) {
      const auto record = segments_[kReferenceSegment].Sub(next, kReferenceRecordSize);
      if (!record) return false;
      type.implementedTypes.push_back({*record->U32(0), static_cast<INT>(*record->I32(4))});
      next = *record->I32(12);
      if (next == kAbsent) break;
    }
    return true;
  }

  Span file_;
  Span segments_[kSegmentCount];
};

}  // namespace

std::optional<std::size_t> MsftLocalTypeIndex(const MsftTypeLib& library, HREFTYPE reference) {
  if (reference % kMsftTypeRecordSize != 0) return std::nullopt;
  const std::size_t index = reference / kMsftTypeRecordSize;
  if (index >= library.types.size()) return std::nullopt;
  return index;
}

std::optional<MsftTypeLib> ReadMsftTypeLib(std::string_view bytes) {
  if (bytes.size() > kMaxTypeLibBytes) return std::nullopt;
  return Reader(bytes).Read();
}

}  // namespace platform
