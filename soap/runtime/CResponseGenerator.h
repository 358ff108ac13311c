// The body writers. `CResponseGenerator` writes the parts every SOAP 1.1
// message shares (envelope, header, body); the call style decides how the
// operation's parameters are framed:
//  - `CPIDGenerator`: document/literal with the parameters wrapped in one
//    element named after the operation, in the service namespace. The
//    services use only this one.
//  - `CPADGenerator`: document/literal with the parameters directly in the
//    body, each element in the service namespace.
//  - `CRpcEncodedGenerator`: rpc/encoded: the operation element in the
//    service namespace carries soap:encodingStyle, and every value names its
//    type with xsi:type (arrays as soapenc:Array with soapenc:arrayType).
// A server-side writer would append "Response" to the operation name; the
// client never does, so the generators take the side they write for.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "soap/runtime/CWriteStreamOnCString.h"
#include "soap/runtime/SoapDescriptors.h"

namespace soap {

// What a style may need to say about one value's type.
struct FieldTypeInfo {
  int type;                          // XsdType code or -1
  const OperationDescriptor* chain;  // record or enumeration type, when type is -1
  bool isArray;
  std::size_t itemCount;  // arrays only
};

class CResponseGenerator {
 public:
  explicit CResponseGenerator(bool clientSide = true) : clientSide_(clientSide) {}
  virtual ~CResponseGenerator() = default;

  void StartEnvelope(CWriteStreamOnCString& stream);
  void StartHeaders(CWriteStreamOnCString& stream);
  void EndHeaders(CWriteStreamOnCString& stream);
  void StartBody(CWriteStreamOnCString& stream);
  void EndBody(CWriteStreamOnCString& stream);
  void EndEnvelope(CWriteStreamOnCString& stream);

  // The frame around an operation's parameters.
  virtual void StartMap(CWriteStreamOnCString& stream, const OperationDescriptor& operation) = 0;
  virtual void EndMap(CWriteStreamOnCString& stream, const OperationDescriptor& operation) = 0;

  // One value's element; `topLevel` is true for a parameter of the
  // operation (as opposed to a record field or array item).
  virtual void StartField(CWriteStreamOnCString& stream, std::string_view name,
                          const FieldTypeInfo& typeInfo, bool topLevel);
  void EndField(CWriteStreamOnCString& stream, std::string_view name);
  void NilField(CWriteStreamOnCString& stream, std::string_view name);

 protected:
  bool ClientSide() const { return clientSide_; }
  // The operation element's name: the operation, or its response.
  void WriteOperationName(CWriteStreamOnCString& stream, const OperationDescriptor& operation);

 private:
  bool clientSide_;
};

class CPIDGenerator final : public CResponseGenerator {
 public:
  using CResponseGenerator::CResponseGenerator;
  void StartMap(CWriteStreamOnCString& stream, const OperationDescriptor& operation) override;
  void EndMap(CWriteStreamOnCString& stream, const OperationDescriptor& operation) override;
};

class CPADGenerator final : public CResponseGenerator {
 public:
  using CResponseGenerator::CResponseGenerator;
  void StartMap(CWriteStreamOnCString&, const OperationDescriptor& operation) override;
  void EndMap(CWriteStreamOnCString&, const OperationDescriptor&) override {}
  void StartField(CWriteStreamOnCString& stream, std::string_view name,
                  const FieldTypeInfo& typeInfo, bool topLevel) override;

 private:
  std::string_view namespaceUri_;
};

class CRpcEncodedGenerator final : public CResponseGenerator {
 public:
  using CResponseGenerator::CResponseGenerator;
  void StartMap(CWriteStreamOnCString& stream, const OperationDescriptor& operation) override;
  void EndMap(CWriteStreamOnCString& stream, const OperationDescriptor& operation) override;
  void StartField(CWriteStreamOnCString& stream, std::string_view name,
                  const FieldTypeInfo& typeInfo, bool topLevel) override;
};

// The writer for an operation's call style.
std::unique_ptr<CResponseGenerator> MakeGenerator(CallStyle style);

}  // namespace soap
