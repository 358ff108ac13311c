// Request generation and response parsing for one operation, driven by its
// descriptor tables. As the reader's content handler it walks the response
// as a state machine: Envelope, optional Header (skipped), Body, the
// operation's response element, then the out-fields, nested records and
// arrays, converting each field's text by its XSD type into the native
// block. Every element name is matched by ElementHash first, then by length
// and text.
//
// Rules kept while parsing: an unknown element or a repeated field fails;
// xsi:nil leaves a nullable field null (and a nested record or enumeration
// zero); when a record ends, a missing int, boolean, decimal or other
// required value fails, a missing string or array stays null, a missing
// record or enumeration stays zero. The limits of SoapLimits.h bound depth,
// one field's text and one array's items.
//
// Used by one thread at a time; one parse per BeginParse.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sax/SaxContentHandler.h"
#include "soap/runtime/CSAXStringBuilder.h"
#include "soap/runtime/FieldStorage.h"
#include "soap/runtime/SoapDescriptors.h"
#include "soap/runtime/WideTextBuilder.h"

namespace soap {

class CSoapRootHandler final : public platform::SaxContentHandler {
 public:
  CSoapRootHandler();

  // Writes the request envelope of `operation` with the values of `block`
  // into `body`; false when it cannot be written.
  [[nodiscard]] static bool GenerateRequest(std::string& body, const SoapOperation& operation,
                                            const void* block);

  // Prepares to read a response of `operation` into `block`, whose
  // out-fields must be null or zero.
  void BeginParse(const OperationDescriptor& operation, void* block);
  // After the reader has finished: whether the document was a complete
  // response of the operation.
  bool Succeeded() const { return complete_ && !failed_; }
  // Whether the parse stopped because memory ran out.
  bool OutOfMemory() const { return outOfMemory_; }
  // Drops all parse state.
  void Reset();

  bool StartElement(const platform::SaxName& name,
                    const platform::SaxAttributes& attributes) override;
  bool EndElement(const platform::SaxName& name) override;
  bool Characters(std::string_view text) override;

 private:
  enum class FrameKind { kEnvelope, kSkipped, kBody, kResponse, kRecord, kArray, kLeaf, kNil };

  struct Frame {
    FrameKind kind;
    const OperationDescriptor* descriptor = nullptr;  // response, record
    const FieldDescriptor* field = nullptr;           // array, leaf: what the value is
    void* target = nullptr;                           // block, record, vector or value
    std::uint64_t seen = 0;                           // response, record: fields met
    int children = 0;
    // Response, record: the entry after the last one met. Fields arrive in
    // table order, so this entry is tried before the table is searched.
    int nextField = 0;
    StorageKind storage = StorageKind::kUnsupported;  // leaf: how the value is stored
  };

  bool OnStart(const platform::SaxName& name, const platform::SaxAttributes& attributes);
  bool OnEnd();
  bool Close(const Frame& frame);
  bool StartInEnvelope(const platform::SaxName& name, std::uint32_t hash, Frame& envelope);
  bool StartResponse(const platform::SaxName& name, std::uint32_t hash, Frame& body);
  bool StartField(const platform::SaxName& name, std::uint32_t hash, bool nil, Frame& parent);
  bool StartValue(int type, const OperationDescriptor* chain, const FieldDescriptor& field,
                  void* target, bool nil, bool isArrayItem);
  bool StartArrayItem(Frame& array, bool nil);
  bool StoreLeaf(const Frame& leaf);
  bool AllRequiredFieldsSeen(const Frame& record) const;
  bool Fail();

  const OperationDescriptor* operation_ = nullptr;
  void* block_ = nullptr;
  std::vector<Frame> frames_;
  CSAXStringBuilder text_;    // leaves other than strings
  WideTextBuilder wideText_;  // string leaves
  bool complete_ = false;
  bool failed_ = false;
  bool outOfMemory_ = false;
};

}  // namespace soap
