#include "soap/runtime/CResponseGenerator.h"

#include "soap/runtime/SoapNamespaces.h"

namespace soap {
namespace {

// rpc/encoded qualifies the operation and record types with this prefix.
constexpr std::string_view kServicePrefix = "snp";

void WriteQuoted(CWriteStreamOnCString& stream, std::string_view value) {
  stream.Write("\"");
  stream.Write(value);
  stream.Write("\"");
}

}  // namespace

void CResponseGenerator::StartEnvelope(CWriteStreamOnCString& stream) {
  stream.Write(kEnvelopeStartTag);
}
void CResponseGenerator::StartHeaders(CWriteStreamOnCString& stream) {
  stream.Write("<soap:Header>");
}
void CResponseGenerator::EndHeaders(CWriteStreamOnCString& stream) {
  stream.Write("</soap:Header>");
}
void CResponseGenerator::StartBody(CWriteStreamOnCString& stream) { stream.Write("<soap:Body>"); }
void CResponseGenerator::EndBody(CWriteStreamOnCString& stream) { stream.Write("</soap:Body>"); }
void CResponseGenerator::EndEnvelope(CWriteStreamOnCString& stream) {
  stream.Write("</soap:Envelope>");
}

void CResponseGenerator::WriteOperationName(CWriteStreamOnCString& stream,
                                            const OperationDescriptor& operation) {
  stream.Write(operation.Name());
  if (!clientSide_) stream.Write("Response");
}

void CResponseGenerator::StartField(CWriteStreamOnCString& stream, std::string_view name,
                                    const FieldTypeInfo&, bool) {
  stream.Write("<");
  stream.Write(name);
  stream.Write(">");
}

void CResponseGenerator::EndField(CWriteStreamOnCString& stream, std::string_view name) {
  stream.Write("</");
  stream.Write(name);
  stream.Write(">");
}

void CResponseGenerator::NilField(CWriteStreamOnCString& stream, std::string_view name) {
  stream.Write("<");
  stream.Write(name);
  stream.Write(" xsi:nil=\"1\"/>");
}

void CPIDGenerator::StartMap(CWriteStreamOnCString& stream, const OperationDescriptor& operation) {
  stream.Write("<");
  WriteOperationName(stream, operation);
  stream.Write(" xmlns=");
  WriteQuoted(stream, operation.Namespace());
  stream.Write(">");
}

void CPIDGenerator::EndMap(CWriteStreamOnCString& stream, const OperationDescriptor& operation) {
  stream.Write("</");
  WriteOperationName(stream, operation);
  stream.Write(">");
}

void CPADGenerator::StartMap(CWriteStreamOnCString&, const OperationDescriptor& operation) {
  namespaceUri_ = operation.Namespace();
}

void CPADGenerator::StartField(CWriteStreamOnCString& stream, std::string_view name,
                               const FieldTypeInfo&, bool topLevel) {
  // Without a wrapper each parameter is a body entry of its own and must
  // carry the service namespace itself; its children inherit it.
  stream.Write("<");
  stream.Write(name);
  if (topLevel) {
    stream.Write(" xmlns=");
    WriteQuoted(stream, namespaceUri_);
  }
  stream.Write(">");
}

void CRpcEncodedGenerator::StartMap(CWriteStreamOnCString& stream,
                                    const OperationDescriptor& operation) {
  stream.Write("<");
  stream.Write(kServicePrefix);
  stream.Write(":");
  WriteOperationName(stream, operation);
  stream.Write(" xmlns:");
  stream.Write(kServicePrefix);
  stream.Write("=");
  WriteQuoted(stream, operation.Namespace());
  stream.Write(" soap:encodingStyle=");
  WriteQuoted(stream, kSoapEncodingNamespace);
  stream.Write(">");
}

void CRpcEncodedGenerator::EndMap(CWriteStreamOnCString& stream,
                                  const OperationDescriptor& operation) {
  stream.Write("</");
  stream.Write(kServicePrefix);
  stream.Write(":");
  WriteOperationName(stream, operation);
  stream.Write(">");
}

void CRpcEncodedGenerator::StartField(CWriteStreamOnCString& stream, std::string_view name,
                                      const FieldTypeInfo& typeInfo, bool) {
  stream.Write("<");
  stream.Write(name);
  const auto writeTypeName = [&] {
    if (typeInfo.type >= 0) {
      stream.Write("xsd:");
      stream.Write(XsdTypeName(typeInfo.type));
    } else {
      stream.Write(kServicePrefix);
      stream.Write(":");
      stream.Write(typeInfo.chain->Name());
    }
  };
  if (typeInfo.isArray) {
    stream.Write(" xsi:type=\"soapenc:Array\" soapenc:arrayType=\"");
    writeTypeName();
    std::string count = "[";
    count += std::to_string(typeInfo.itemCount);
    count += "]\"";
    stream.Write(count);
  } else {
    stream.Write(" xsi:type=\"");
    writeTypeName();
    stream.Write("\"");
  }
  stream.Write(">");
}

std::unique_ptr<CResponseGenerator> MakeGenerator(CallStyle style) {
  switch (style) {
    case CallStyle::kDocumentLiteral:
      return std::make_unique<CPADGenerator>();
    case CallStyle::kRpcEncoded:
      return std::make_unique<CRpcEncodedGenerator>();
    case CallStyle::kDocumentLiteralWrapped:
      break;
  }
  return std::make_unique<CPIDGenerator>();
}

}  // namespace soap
