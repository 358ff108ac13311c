#include "soap/runtime/CSoapRootHandler.h"

#include <cstring>

#include "platform/trace/Contain.h"
#include "soap/runtime/SoapLimits.h"
#include "soap/runtime/SoapNamespaces.h"
#include "soap/runtime/SoapRequestWriter.h"
#include "soap/runtime/XsdText.h"

namespace soap {
namespace {

constexpr std::uint32_t kEnvelopeHash = ElementHash("Envelope");
constexpr std::uint32_t kHeaderHash = ElementHash("Header");
constexpr std::uint32_t kBodyHash = ElementHash("Body");

bool IsSoapElement(const platform::SaxName& name, std::uint32_t hash, std::uint32_t expectedHash,
                   std::string_view expected) {
  return hash == expectedHash && name.localName == expected && name.uri == kSoapEnvelopeNamespace;
}

// Descriptor names are ASCII (the table builders insist), so the wide name
// equals the UTF-8 local name exactly when every unit equals every byte.
bool SameName(std::string_view utf8, std::u16string_view wide) {
  if (utf8.size() != wide.size()) return false;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (static_cast<unsigned char>(utf8[i]) != wide[i]) return false;
  }
  return true;
}

// Matching against a field or enumeration entry: hash, then length, then text.
bool EntryMatches(const FieldDescriptor& entry, std::uint32_t hash, std::string_view text) {
  return entry.hash == hash && static_cast<std::size_t>(entry.nameLength) == text.size() &&
         std::memcmp(entry.name, text.data(), text.size()) == 0;
}

// Whether an element of a response or record may be this entry: hidden
// counts never appear, and of an operation's parameters only the out-fields.
bool IsReceived(const FieldDescriptor& field, bool responseLevel) {
  return !field.Has(kFieldNoMarshal) && (!responseLevel || field.Has(kFieldOut));
}

// xsi:nil is an xsd:boolean; absent means not nil. A value that is no
// boolean makes the element unreadable.
std::optional<bool> ReadNilAttribute(const platform::SaxAttributes& attributes) {
  const std::optional<std::string_view> value = attributes.Find(kXsiNamespace, "nil");
  if (!value) return false;
  return ReadBoolean(*value);
}

// Nearly every element comes without attributes; only that is decided here.
std::optional<bool> ReadNil(const platform::SaxAttributes& attributes) {
  return attributes.Count() == 0 ? std::optional<bool>(false) : ReadNilAttribute(attributes);
}

// The reader is C code: nothing may be thrown through it, so every event
// runs contained and an exception stops the parse. Running out of memory is
// remembered, so that the client reports it as such rather than as an
// unreadable response.
template <class Handler>
bool ContainEvent(std::string_view event, bool& failed, bool& outOfMemory, Handler&& handler) {
  enum class Outcome { kHandled, kRefused, kThrew, kOutOfMemory };
  const Outcome outcome = platform::Contain(event, Outcome::kThrew, Outcome::kOutOfMemory, [&] {
    return handler() ? Outcome::kHandled : Outcome::kRefused;
  });
  if (outcome == Outcome::kOutOfMemory) outOfMemory = true;
  if (outcome == Outcome::kThrew || outcome == Outcome::kOutOfMemory) failed = true;
  return outcome == Outcome::kHandled;
}

bool IsRequired(const FieldDescriptor& field) {
  if (field.Has(kFieldNullable) || field.Has(kFieldNoMarshal) || field.Has(kFieldDynamicArray))
    return false;
  return field.type != -1;  // a missing nested record or enumeration stays zero
}

}  // namespace

CSoapRootHandler::CSoapRootHandler() { frames_.reserve(kMaxElementDepth + 1); }

bool CSoapRootHandler::GenerateRequest(std::string& body, const SoapOperation& operation,
                                       const void* block) {
  return WriteRequestEnvelope(body, operation, block);
}

void CSoapRootHandler::BeginParse(const OperationDescriptor& operation, void* block) {
  Reset();
  operation_ = &operation;
  block_ = block;
}

void CSoapRootHandler::Reset() {
  frames_.clear();
  text_.Clear();
  wideText_.Clear();
  operation_ = nullptr;
  block_ = nullptr;
  complete_ = false;
  failed_ = false;
  outOfMemory_ = false;
}

bool CSoapRootHandler::Fail() {
  failed_ = true;
  return false;
}

bool CSoapRootHandler::StartElement(const platform::SaxName& name,
                                    const platform::SaxAttributes& attributes) {
  return ContainEvent("CSoapRootHandler::StartElement", failed_, outOfMemory_,
                      [&] { return !failed_ && OnStart(name, attributes); });
}

bool CSoapRootHandler::EndElement(const platform::SaxName&) {
  return ContainEvent("CSoapRootHandler::EndElement", failed_, outOfMemory_,
                      [&] { return !failed_ && OnEnd(); });
}

bool CSoapRootHandler::Characters(std::string_view text) {
  if (failed_) return false;
  // Text between structural elements (indentation) carries nothing.
  if (frames_.empty() || frames_.back().kind != FrameKind::kLeaf) return true;
  return ContainEvent("CSoapRootHandler::Characters", failed_, outOfMemory_, [&] {
    const bool kept = frames_.back().storage == StorageKind::kString ? wideText_.Characters(text)
                                                                     : text_.Characters(text);
    return kept || Fail();
  });
}

bool CSoapRootHandler::OnStart(const platform::SaxName& name,
                               const platform::SaxAttributes& attributes) {
  if (operation_ == nullptr || complete_) return Fail();
  if (frames_.size() > kMaxElementDepth) return Fail();
  const std::uint32_t hash = ElementHash(name.localName);
  if (frames_.empty()) {
    if (!IsSoapElement(name, hash, kEnvelopeHash, "Envelope")) return Fail();
    frames_.push_back({FrameKind::kEnvelope});
    return true;
  }
  Frame& parent = frames_.back();
  ++parent.children;
  switch (parent.kind) {
    case FrameKind::kEnvelope:
      return StartInEnvelope(name, hash, parent);
    case FrameKind::kSkipped:
      frames_.push_back({FrameKind::kSkipped});
      return true;
    case FrameKind::kBody:
      return StartResponse(name, hash, parent);
    case FrameKind::kResponse:
    case FrameKind::kRecord: {
      const std::optional<bool> nil = ReadNil(attributes);
      return nil && StartField(name, hash, *nil, parent);
    }
    case FrameKind::kArray: {
      const std::optional<bool> nil = ReadNil(attributes);
      return nil && StartArrayItem(parent, *nil);
    }
    case FrameKind::kLeaf:
    case FrameKind::kNil:
      return Fail();  // a value has no child elements
  }
  return Fail();
}

bool CSoapRootHandler::StartInEnvelope(const platform::SaxName& name, std::uint32_t hash,
                                       Frame& envelope) {
  // Header may only come first; Body exactly once; nothing after it.
  if (envelope.children == 1 && IsSoapElement(name, hash, kHeaderHash, "Header")) {
    frames_.push_back({FrameKind::kSkipped});
    return true;
  }
  if (envelope.seen == 0 && IsSoapElement(name, hash, kBodyHash, "Body")) {
    envelope.seen = 1;
    frames_.push_back({FrameKind::kBody});
    return true;
  }
  return Fail();
}

bool CSoapRootHandler::StartResponse(const platform::SaxName& name, std::uint32_t hash,
                                     Frame& body) {
  const OperationDescriptor& operation = *operation_;
  if (body.children != 1 || hash != operation.hash ||
      !SameName(name.localName, operation.WideName()) || name.uri != operation.Namespace()) {
    return Fail();
  }
  frames_.push_back({FrameKind::kResponse, &operation, nullptr, block_});
  return true;
}

bool CSoapRootHandler::StartField(const platform::SaxName& name, std::uint32_t hash, bool nil,
                                  Frame& parent) {
  const bool responseLevel = parent.kind == FrameKind::kResponse;
  int index = parent.nextField;
  const FieldDescriptor* field = parent.descriptor->fields + index;
  if (field->IsEnd() || !IsReceived(*field, responseLevel) ||
      !EntryMatches(*field, hash, name.localName)) {
    index = 0;
    field = parent.descriptor->fields;
    for (; !field->IsEnd(); ++field, ++index) {
      if (IsReceived(*field, responseLevel) && EntryMatches(*field, hash, name.localName)) break;
    }
    if (field->IsEnd()) return Fail();
  }
  parent.nextField = index + 1;
  const std::uint64_t bit = std::uint64_t{1} << index;
  // Inside a wrapper record the array's items repeat the field's element.
  const bool repeats = field->Has(kFieldDynamicArray) && field->Has(kFieldArrayWrapper);
  if ((parent.seen & bit) != 0 && !repeats) return Fail();
  parent.seen |= bit;

  void* target = field->locate(parent.target);
  if (!field->Has(kFieldDynamicArray))
    return StartValue(field->type, field->chain, *field, target, nil, false);
  if (repeats) {
    if (field->array->count(target) >= kMaxArrayItems) return Fail();
    return StartValue(field->type, field->chain, *field, field->array->append(target), nil, true);
  }
  if (nil) {
    frames_.push_back({FrameKind::kNil});
    return true;
  }
  frames_.push_back({FrameKind::kArray, nullptr, field, target});
  return true;
}

bool CSoapRootHandler::StartArrayItem(Frame& array, bool nil) {
  // Every child of an array element is one item, whatever its name.
  const FieldDescriptor& field = *array.field;
  if (field.array->count(array.target) >= kMaxArrayItems) return Fail();
  return StartValue(field.type, field.chain, field, field.array->append(array.target), nil, true);
}

bool CSoapRootHandler::StartValue(int type, const OperationDescriptor* chain,
                                  const FieldDescriptor& field, void* target, bool nil,
                                  bool isArrayItem) {
  const StorageKind kind = StorageKindOf(type, chain);
  if (kind == StorageKind::kUnsupported) return Fail();
  if (nil) {
    // Null for what may be null; zero for records and enumerations, as if
    // absent; array items stay as appended (null or zero). A required
    // number or boolean cannot be nil.
    const bool allowed = isArrayItem || field.Has(kFieldNullable) || kind == StorageKind::kRecord ||
                         kind == StorageKind::kEnumeration;
    if (!allowed) return Fail();
    frames_.push_back({FrameKind::kNil});
    return true;
  }
  if (kind == StorageKind::kRecord) {
    frames_.push_back({FrameKind::kRecord, chain, nullptr, target});
    return true;
  }
  if (kind == StorageKind::kString) {
    wideText_.Clear();
  } else {
    text_.Clear();
  }
  Frame leaf{FrameKind::kLeaf, chain, &field, target};
  leaf.storage = kind;
  frames_.push_back(leaf);
  return true;
}

bool CSoapRootHandler::OnEnd() {
  if (frames_.empty()) return Fail();
  // Read in place: the frame is dropped only once it has been dealt with.
  const bool closed = Close(frames_.back());
  frames_.pop_back();
  return closed;
}

bool CSoapRootHandler::Close(const Frame& frame) {
  switch (frame.kind) {
    case FrameKind::kLeaf:
      return StoreLeaf(frame);
    case FrameKind::kRecord:
      return AllRequiredFieldsSeen(frame) || Fail();
    case FrameKind::kResponse:
      return AllRequiredFieldsSeen(frame) || Fail();
    case FrameKind::kBody:
      return frame.children == 1 || Fail();
    case FrameKind::kEnvelope:
      if (frame.seen == 0) return Fail();  // no Body
      complete_ = true;
      return true;
    case FrameKind::kSkipped:
    case FrameKind::kArray:
    case FrameKind::kNil:
      return true;
  }
  return Fail();
}

bool CSoapRootHandler::StoreLeaf(const Frame& leaf) {
  const FieldDescriptor& field = *leaf.field;
  if (leaf.storage == StorageKind::kString) {
    wideText_.AssignTo(*static_cast<SoapString*>(leaf.target));
    return true;
  }
  const std::string_view text = text_.Text();
  switch (leaf.storage) {
    case StorageKind::kBoolean: {
      const std::optional<bool> value = ReadBoolean(text);
      if (!value) return Fail();
      *static_cast<bool*>(leaf.target) = *value;
      return true;
    }
    case StorageKind::kInt: {
      const std::optional<std::int32_t> value = ReadInt(text);
      if (!value) return Fail();
      *static_cast<std::int32_t*>(leaf.target) = *value;
      return true;
    }
    case StorageKind::kDouble: {
      const std::optional<double> value = ReadDouble(text);
      if (!value) return Fail();
      *static_cast<double*>(leaf.target) = *value;
      return true;
    }
    case StorageKind::kBytes: {
      std::optional<SoapBytes> value =
          field.type == kXsdHexBinary ? ReadHexBinary(text) : ReadBase64(text);
      if (!value) return Fail();
      *static_cast<SoapBytes*>(leaf.target) = std::move(*value);
      return true;
    }
    case StorageKind::kEnumeration: {
      const std::uint32_t hash = ElementHash(text);
      for (const FieldDescriptor* entry = field.chain->fields; !entry->IsEnd(); ++entry) {
        if (EntryMatches(*entry, hash, text)) {
          *static_cast<int*>(leaf.target) = entry->type;
          return true;
        }
      }
      return Fail();
    }
    case StorageKind::kString:
    case StorageKind::kRecord:
    case StorageKind::kUnsupported:
      break;
  }
  return Fail();
}

bool CSoapRootHandler::AllRequiredFieldsSeen(const Frame& record) const {
  const bool responseLevel = record.kind == FrameKind::kResponse;
  int index = 0;
  for (const FieldDescriptor* field = record.descriptor->fields; !field->IsEnd();
       ++field, ++index) {
    if (responseLevel && !field->Has(kFieldOut)) continue;
    if ((record.seen & (std::uint64_t{1} << index)) == 0 && IsRequired(*field)) return false;
  }
  return true;
}

}  // namespace soap
