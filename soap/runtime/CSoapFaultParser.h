// Reads a SOAP 1.1 Fault from the body of a 500 answer: Envelope, optional
// Header (skipped), Body and Fault in the envelope namespace, then the
// unqualified faultcode, faultstring, faultactor and detail. faultcode's
// local part (after any prefix) maps to the SOAP 1.1 codes, taking the part
// before the first dot as SOAP 1.1 defines ("Client.Authentication" is a
// Client fault). detail is kept as the XML text of its content. Other
// children of Fault are ignored. The same limits as for responses apply.
#pragma once

#include <cstdint>
#include <string>

#include "platform/sax/SaxContentHandler.h"
#include "soap/runtime/CSAXStringBuilder.h"
#include "soap/runtime/SoapTypes.h"

namespace soap {

class CSoapFaultParser final : public platform::SaxContentHandler {
 public:
  void Reset();
  // After the reader has finished: whether a Fault with at least faultcode
  // and faultstring was read.
  bool Succeeded() const { return complete_ && !failed_ && haveCode_ && haveString_; }
  const SoapFault& Fault() const { return fault_; }

  bool StartElement(const platform::SaxName& name,
                    const platform::SaxAttributes& attributes) override;
  bool EndElement(const platform::SaxName& name) override;
  bool Characters(std::string_view text) override;

 private:
  enum class Field { kNone, kCode, kString, kActor, kDetail, kIgnored };

  bool OnStart(const platform::SaxName& name, const platform::SaxAttributes& attributes);
  bool OnEnd(const platform::SaxName& name);
  bool StoreField();
  bool Fail();

  SoapFault fault_;
  CSAXStringBuilder text_;
  std::size_t depth_ = 0;  // elements open, the Envelope being 1
  int bodyChildren_ = 0;
  Field field_ = Field::kNone;  // the Fault child being read (depth 4 and below)
  bool inHeader_ = false;
  bool sawBody_ = false;
  bool sawFault_ = false;
  bool haveCode_ = false;
  bool haveString_ = false;
  bool complete_ = false;
  bool failed_ = false;
};

SoapFaultCode FaultCodeFromText(std::string_view faultcode);

}  // namespace soap
