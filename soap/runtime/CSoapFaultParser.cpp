#include "soap/runtime/CSoapFaultParser.h"

#include "platform/text/CodePage.h"
#include "platform/trace/Contain.h"
#include "soap/runtime/SoapLimits.h"
#include "soap/runtime/SoapNamespaces.h"

namespace soap {
namespace {

constexpr std::size_t kEnvelopeDepth = 1, kBodyDepth = 2, kFaultDepth = 3, kFieldDepth = 4;

bool IsSoap(const platform::SaxName& name, std::string_view localName) {
  return name.localName == localName && name.uri == kSoapEnvelopeNamespace;
}

std::string_view Trim(std::string_view text) {
  constexpr std::string_view kSpace = " \t\r\n";
  const std::size_t first = text.find_first_not_of(kSpace);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

// Markup inside detail is kept as text, so it is written back escaped.
void AppendEscaped(std::string& out, std::string_view text, bool attribute) {
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        if (attribute) {
          out += "&quot;";
          break;
        }
        [[fallthrough]];
      default:
        out.push_back(c);
    }
  }
}

}  // namespace

SoapFaultCode FaultCodeFromText(std::string_view faultcode) {
  faultcode = Trim(faultcode);
  if (const std::size_t colon = faultcode.find(':'); colon != std::string_view::npos) {
    faultcode.remove_prefix(colon + 1);
  }
  faultcode = faultcode.substr(0, faultcode.find('.'));
  if (faultcode == "VersionMismatch") return SoapFaultCode::kVersionMismatch;
  if (faultcode == "MustUnderstand") return SoapFaultCode::kMustUnderstand;
  if (faultcode == "Client") return SoapFaultCode::kClient;
  if (faultcode == "Server") return SoapFaultCode::kServer;
  return SoapFaultCode::kUnknown;
}

void CSoapFaultParser::Reset() { *this = CSoapFaultParser(); }

bool CSoapFaultParser::Fail() {
  failed_ = true;
  return false;
}

// The reader is C code: nothing may be thrown through it, so every event
// runs contained and an exception stops the parse.
bool CSoapFaultParser::StartElement(const platform::SaxName& name,
                                    const platform::SaxAttributes& attributes) {
  const bool handled = platform::Contain("CSoapFaultParser::StartElement", false,
                                         [&] { return !failed_ && OnStart(name, attributes); });
  return handled || Fail();
}

bool CSoapFaultParser::EndElement(const platform::SaxName& name) {
  const bool handled = platform::Contain("CSoapFaultParser::EndElement", false,
                                         [&] { return !failed_ && OnEnd(name); });
  return handled || Fail();
}

bool CSoapFaultParser::Characters(std::string_view text) {
  if (failed_) return false;
  if (field_ == Field::kNone || field_ == Field::kIgnored) return true;
  const bool kept = platform::Contain("CSoapFaultParser::Characters", false, [&] {
    if (field_ != Field::kDetail) return text_.Characters(text);
    std::string escaped;
    AppendEscaped(escaped, text, false);
    return text_.Characters(escaped);
  });
  return kept || Fail();
}

bool CSoapFaultParser::OnStart(const platform::SaxName& name,
                               const platform::SaxAttributes& attributes) {
  if (complete_ || depth_ > kMaxElementDepth) return Fail();
  ++depth_;
  switch (depth_) {
    case kEnvelopeDepth:
      return IsSoap(name, "Envelope") || Fail();
    case kBodyDepth:
      if (sawBody_) return Fail();
      if (IsSoap(name, "Header") && !inHeader_ && bodyChildren_ == 0) {
        inHeader_ = true;
        return true;
      }
      sawBody_ = true;
      return IsSoap(name, "Body") || Fail();
    case kFaultDepth:
      if (inHeader_) return true;
      if (++bodyChildren_ > 1 || !IsSoap(name, "Fault")) return Fail();
      sawFault_ = true;
      return true;
    case kFieldDepth: {
      if (inHeader_) return true;
      text_.Clear();
      field_ = Field::kIgnored;
      if (!name.uri.empty()) return true;
      if (name.localName == "faultcode") field_ = Field::kCode;
      if (name.localName == "faultstring") field_ = Field::kString;
      if (name.localName == "faultactor") field_ = Field::kActor;
      if (name.localName == "detail") field_ = Field::kDetail;
      return true;
    }
    default:
      if (inHeader_ || field_ == Field::kIgnored) return true;
      if (field_ != Field::kDetail) return Fail();  // the text fields hold no markup
      std::string tag = "<" + name.QualifiedName();
      for (int i = 0; i < attributes.Count(); ++i) {
        const platform::SaxAttribute attribute = attributes.At(i);
        tag += " " + attribute.name.QualifiedName() + "=\"";
        AppendEscaped(tag, attribute.value, true);
        tag += "\"";
      }
      tag += ">";
      return text_.Characters(tag) || Fail();
  }
}

bool CSoapFaultParser::OnEnd(const platform::SaxName& name) {
  const std::size_t depth = depth_--;
  if (inHeader_) {
    if (depth == kBodyDepth) inHeader_ = false;
    return true;
  }
  if (depth == kEnvelopeDepth) {
    complete_ = sawFault_;
    return complete_ || Fail();
  }
  if (depth == kFieldDepth) return StoreField();
  if (depth > kFieldDepth && field_ == Field::kDetail) {
    return text_.Characters("</" + name.QualifiedName() + ">") || Fail();
  }
  return true;
}

bool CSoapFaultParser::StoreField() {
  const Field field = field_;
  field_ = Field::kNone;
  switch (field) {
    case Field::kCode:
      if (haveCode_) return Fail();
      haveCode_ = true;
      fault_.code = FaultCodeFromText(text_.Text());
      return true;
    case Field::kString:
      if (haveString_) return Fail();
      haveString_ = true;
      fault_.faultString = platform::Utf8ToWide(text_.Text());
      return true;
    case Field::kActor:
      fault_.faultActor = platform::Utf8ToWide(text_.Text());
      return true;
    case Field::kDetail:
      fault_.detail = platform::Utf8ToWide(text_.Text());
      return true;
    case Field::kNone:
    case Field::kIgnored:
      return true;
  }
  return true;
}

}  // namespace soap
