#include "platform/typelib/TypeLib.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/com/ComPtr.h"
#include "platform/files/FileSystem.h"
#include "platform/registry/RegistryFile.h"
#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryTestHooks.h"
#include "platform/resources/ModuleResources.h"

namespace platform {
namespace {

constexpr GUID kLibid = MakeGuid("11111111-0000-0000-0000-000000000010");
constexpr GUID kDual = MakeGuid("11111111-0000-0000-0000-000000000001");
constexpr GUID kAutomation = MakeGuid("11111111-0000-0000-0000-000000000002");
constexpr GUID kThing = MakeGuid("11111111-0000-0000-0000-000000000005");

std::string ReadTestLibrary() {
  std::ifstream file(VIMARU_TEST_TYPELIB, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

std::u16string Text(BSTR text) { return std::u16string(Bstr::Borrowed(text)); }

class TypeLibTest : public ::testing::Test {
 protected:
  ComPtr<ITypeLib> Load(std::u16string path, REGKIND kind = REGKIND_NONE) {
    ComPtr<ITypeLib> library;
    EXPECT_EQ(LoadTypeLibEx(path.c_str(), kind, library.ReleaseAndGetAddressOf()), S_OK);
    return library;
  }
  ComPtr<ITypeLib> LoadFromModule() { return Load(AnsiModulePath()); }
  static std::u16string AnsiModulePath() {
    const std::string path = ModuleFilePath();
    return std::u16string(path.begin(), path.end());
  }
  ComPtr<ITypeInfo> TypeOfGuid(ITypeLib* library, const GUID& guid) {
    ComPtr<ITypeInfo> info;
    EXPECT_EQ(library->GetTypeInfoOfGuid(guid, info.ReleaseAndGetAddressOf()), S_OK);
    return info;
  }

  ScopedFileSystemRoot files_;
  ScopedRegistryReset registry_;
  ScopedModuleResources resources_{
      {{"TYPELIB", "", 1, ReadTestLibrary()}, {"TYPELIB", "", 3, "MSFT but nothing else"}}};
};

TEST_F(TypeLibTest, AnswersTheLibrarysAttributesAndDocumentation) {
  const ComPtr<ITypeLib> library = LoadFromModule();
  ASSERT_TRUE(library);
  TLIBATTR* attributes = nullptr;
  ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->guid, kLibid);
  EXPECT_EQ(attributes->wMajorVerNum, 2);
  EXPECT_EQ(attributes->wMinorVerNum, 10);
  EXPECT_EQ(attributes->lcid, 0u);
  EXPECT_EQ(attributes->syskind, SYS_WIN32);
  library->ReleaseTLibAttr(attributes);

  BSTR name = nullptr;
  BSTR doc = nullptr;
  BSTR helpFile = nullptr;
  DWORD context = 1;
  ASSERT_EQ(library->GetDocumentation(-1, &name, &doc, &context, &helpFile), S_OK);
  EXPECT_EQ(Text(name), u"TESTLib");
  EXPECT_EQ(Text(doc), u"Test Library 2.10");
  EXPECT_EQ(Text(helpFile), u"test.hlp");
  EXPECT_EQ(context, 0u);
  SysFreeString(name);
  SysFreeString(doc);
  SysFreeString(helpFile);
  EXPECT_EQ(library->GetDocumentation(-1, nullptr, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(library->GetDocumentation(4, &name, nullptr, nullptr, nullptr), TYPE_E_ELEMENTNOTFOUND);
}

TEST_F(TypeLibTest, AnswersEachTypeAndTheCoclasssInterfaces) {
  const ComPtr<ITypeLib> library = LoadFromModule();
  ASSERT_TRUE(library);
  ASSERT_EQ(library->GetTypeInfoCount(), 4u);
  TYPEKIND kind = TKIND_MAX;
  ASSERT_EQ(library->GetTypeInfoType(0, &kind), S_OK);
  EXPECT_EQ(kind, TKIND_COCLASS);
  EXPECT_EQ(library->GetTypeInfoType(4, &kind), TYPE_E_ELEMENTNOTFOUND);
  ComPtr<ITypeInfo> missing;
  EXPECT_EQ(library->GetTypeInfo(4, missing.ReleaseAndGetAddressOf()), TYPE_E_ELEMENTNOTFOUND);
  EXPECT_EQ(library->GetTypeInfoOfGuid(kLibid, missing.ReleaseAndGetAddressOf()),
            TYPE_E_ELEMENTNOTFOUND);

  const ComPtr<ITypeInfo> thing = TypeOfGuid(library.Get(), kThing);
  ASSERT_TRUE(thing);
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(thing->GetTypeAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->guid, kThing);
  EXPECT_EQ(attributes->typekind, TKIND_COCLASS);
  EXPECT_EQ(attributes->cImplTypes, 2);
  EXPECT_EQ(attributes->wTypeFlags, TYPEFLAG_FCANCREATE);
  thing->ReleaseTypeAttr(attributes);

  const struct {
    GUID iid;
    INT flags;
    TYPEKIND kind;
    WORD typeFlags;
  } implemented[] = {
      {kDual, IMPLTYPEFLAG_FDEFAULT, TKIND_DISPATCH,
       TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE},
      {kAutomation, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE, TKIND_INTERFACE,
       TYPEFLAG_FOLEAUTOMATION},
  };
  for (UINT index = 0; index < 2; ++index) {
    HREFTYPE reference = 0;
    ASSERT_EQ(thing->GetRefTypeOfImplType(index, &reference), S_OK);
    INT flags = -1;
    ASSERT_EQ(thing->GetImplTypeFlags(index, &flags), S_OK);
    EXPECT_EQ(flags, implemented[index].flags);
    ComPtr<ITypeInfo> target;
    ASSERT_EQ(thing->GetRefTypeInfo(reference, target.ReleaseAndGetAddressOf()), S_OK);
    ASSERT_EQ(target->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->guid, implemented[index].iid);
    EXPECT_EQ(attributes->typekind, implemented[index].kind);
    EXPECT_EQ(attributes->wTypeFlags, implemented[index].typeFlags);
    target->ReleaseTypeAttr(attributes);
  }
  HREFTYPE reference = 0;
  EXPECT_EQ(thing->GetRefTypeOfImplType(2, &reference), TYPE_E_ELEMENTNOTFOUND);

  BSTR doc = nullptr;
  ASSERT_EQ(thing->GetDocumentation(MEMBERID_NIL, nullptr, &doc, nullptr, nullptr), S_OK);
  EXPECT_EQ(Text(doc), u"Thing Class");
  SysFreeString(doc);

  ComPtr<ITypeLib> containing;
  UINT index = 99;
  ASSERT_EQ(thing->GetContainingTypeLib(containing.ReleaseAndGetAddressOf(), &index), S_OK);
  EXPECT_EQ(containing, library);
  EXPECT_EQ(index, 0u);
}

TEST_F(TypeLibTest, ImportedBaseTypesAreNotLoaded) {
  const ComPtr<ITypeLib> library = LoadFromModule();
  ASSERT_TRUE(library);
  const ComPtr<ITypeInfo> dual = TypeOfGuid(library.Get(), kDual);
  ASSERT_TRUE(dual);
  HREFTYPE base = 0;
  ASSERT_EQ(dual->GetRefTypeOfImplType(0, &base), S_OK);
  ComPtr<ITypeInfo> dispatch;
  EXPECT_EQ(dual->GetRefTypeInfo(base, dispatch.ReleaseAndGetAddressOf()), TYPE_E_ELEMENTNOTFOUND);
}

TEST_F(TypeLibTest, LoadsFromResourcesAndFilesAndRefusesTheRest) {
  EXPECT_TRUE(Load(AnsiModulePath() + u"\\1"));
  ASSERT_TRUE(WriteWholeFile("C:\\lib.tlb", ReadTestLibrary()));
  EXPECT_TRUE(Load(u"c:\\LIB.tlb"));

  ComPtr<ITypeLib> library;
  EXPECT_EQ(LoadTypeLibEx(u"C:\\missing.tlb", REGKIND_NONE, library.ReleaseAndGetAddressOf()),
            TYPE_E_CANTLOADLIBRARY);
  EXPECT_EQ(LoadTypeLibEx((AnsiModulePath() + u"\\2").c_str(), REGKIND_NONE,
                          library.ReleaseAndGetAddressOf()),
            TYPE_E_CANTLOADLIBRARY);
  EXPECT_EQ(LoadTypeLibEx((AnsiModulePath() + u"\\3").c_str(), REGKIND_NONE,
                          library.ReleaseAndGetAddressOf()),
            TYPE_E_INVDATAREAD);
  EXPECT_EQ(LoadTypeLibEx(nullptr, REGKIND_NONE, library.ReleaseAndGetAddressOf()), E_INVALIDARG);
  EXPECT_EQ(LoadTypeLibEx(u"C:\\lib.tlb", REGKIND_NONE, nullptr), E_POINTER);
}

constexpr std::string_view kRegistered =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\Interface]\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\Interface\\{11111111-0000-0000-0000-000000000001}]\r\n"
    "@=\"IDualThing\"\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\Interface\\{11111111-0000-0000-0000-000000000001}\\ProxyStubClsid]\r\n"
    "@=\"{00020424-0000-0000-C000-000000000046}\"\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\Interface\\{11111111-0000-0000-0000-000000000001}\\ProxyStubClsid32]\r\n"
    "@=\"{00020424-0000-0000-C000-000000000046}\"\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\Interface\\{11111111-0000-0000-0000-000000000001}\\TypeLib]\r\n"
    "@=\"{11111111-0000-0000-0000-000000000010}\"\r\n"
    "\"Version\"=\"2.a\"\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\Interface\\{11111111-0000-0000-0000-000000000002}]\r\n"
    "@=\"IAutomationThing\"\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\Interface\\{11111111-0000-0000-0000-000000000002}\\ProxyStubClsid]\r\n"
    "@=\"{00020424-0000-0000-C000-000000000046}\"\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\Interface\\{11111111-0000-0000-0000-000000000002}\\ProxyStubClsid32]\r\n"
    "@=\"{00020424-0000-0000-C000-000000000046}\"\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\Interface\\{11111111-0000-0000-0000-000000000002}\\TypeLib]\r\n"
    "@=\"{11111111-0000-0000-0000-000000000010}\"\r\n"
    "\"Version\"=\"2.a\"\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\TypeLib]\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\TypeLib\\{11111111-0000-0000-0000-000000000010}]\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\TypeLib\\{11111111-0000-0000-0000-000000000010}\\2.a]\r\n"
    "@=\"Test Library 2.10\"\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\TypeLib\\{11111111-0000-0000-0000-000000000010}\\2.a\\0]\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\TypeLib\\{11111111-0000-0000-0000-000000000010}\\2.a\\0\\win32]\r\n"
    "@=\"C:\\\\dir\\\\lib.tlb\"\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\TypeLib\\{11111111-0000-0000-0000-000000000010}\\2.a\\FLAGS]\r\n"
    "@=\"0\"\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\TypeLib\\{11111111-0000-0000-0000-000000000010}\\2.a\\HELPDIR]\r\n"
    "@=\"C:\\\\dir\"\r\n"
    "\r\n";

TEST_F(TypeLibTest, RegistersTheLibraryAndItsAutomationInterfaces) {
  const ComPtr<ITypeLib> library = LoadFromModule();
  ASSERT_TRUE(library);
  std::u16string path = u"C:\\dir\\lib.tlb";
  ASSERT_EQ(RegisterTypeLib(library.Get(), path.data(), nullptr), S_OK);
  EXPECT_EQ(FormatRegistryText(), kRegistered);
  ASSERT_EQ(RegisterTypeLib(library.Get(), path.data(), nullptr), S_OK);
  EXPECT_EQ(FormatRegistryText(), kRegistered);

  std::u16string helpDir = u"D:\\help";
  ASSERT_EQ(RegisterTypeLib(library.Get(), path.data(), helpDir.data()), S_OK);
  RegistryKey key;
  std::string value;
  ASSERT_EQ(
      key.Open(HKEY_CLASSES_ROOT, "TypeLib\\{11111111-0000-0000-0000-000000000010}\\2.a\\HELPDIR"),
      ERROR_SUCCESS);
  ASSERT_EQ(key.QueryStringValue("", value), ERROR_SUCCESS);
  EXPECT_EQ(value, "D:\\help");
}

TEST_F(TypeLibTest, APureDispatchInterfaceGetsTheDispatchMarshaler) {
  std::string bytes = ReadTestLibrary();
  const auto flagsAt = [&](std::size_t record) {
    const std::size_t directory = 0x54 + 4 * static_cast<unsigned char>(bytes[0x20]);
    std::size_t table = 0;
    for (int i = 3; i >= 0; --i)
      table = table << 8 | static_cast<unsigned char>(bytes[directory + i]);
    return table + record * 0x64 + 0x30;
  };
  // The dual interface is the second record; without FDUAL it is a plain
  // dispinterface.
  bytes[flagsAt(1)] = static_cast<char>(bytes[flagsAt(1)] & ~TYPEFLAG_FDUAL);
  ASSERT_TRUE(WriteWholeFile("C:\\dispatch.tlb", bytes));
  ASSERT_TRUE(Load(u"C:\\dispatch.tlb", REGKIND_REGISTER));
  RegistryKey key;
  std::string marshaler;
  ASSERT_EQ(key.Open(HKEY_CLASSES_ROOT,
                     "Interface\\{11111111-0000-0000-0000-000000000001}\\ProxyStubClsid32"),
            ERROR_SUCCESS);
  ASSERT_EQ(key.QueryStringValue("", marshaler), ERROR_SUCCESS);
  EXPECT_EQ(marshaler, "{00020420-0000-0000-C000-000000000046}");
}

TEST_F(TypeLibTest, AnUnwritableKeyFailsRegistration) {
  const ComPtr<ITypeLib> library = LoadFromModule();
  ASSERT_TRUE(library);
  DenyRegistryWrite(HKEY_CLASSES_ROOT, "Interface");
  std::u16string path = u"C:\\dir\\lib.tlb";
  EXPECT_EQ(RegisterTypeLib(library.Get(), path.data(), nullptr), TYPE_E_REGISTRYACCESS);
  EXPECT_EQ(RegisterTypeLib(nullptr, path.data(), nullptr), E_INVALIDARG);
}

TEST_F(TypeLibTest, LoadsTheRegisteredLibrary) {
  ComPtr<ITypeLib> library;
  EXPECT_EQ(LoadRegTypeLib(kLibid, 2, 10, 0x409, library.ReleaseAndGetAddressOf()),
            TYPE_E_LIBNOTREGISTERED);
  ASSERT_TRUE(WriteWholeFile("C:\\lib.tlb", ReadTestLibrary()));
  ASSERT_TRUE(Load(u"C:\\lib.tlb", REGKIND_REGISTER));
  ASSERT_EQ(LoadRegTypeLib(kLibid, 2, 10, 0x409, library.ReleaseAndGetAddressOf()), S_OK);
  EXPECT_EQ(library->GetTypeInfoCount(), 4u);
  EXPECT_EQ(LoadRegTypeLib(kLibid, 2, 9, 0, library.ReleaseAndGetAddressOf()),
            TYPE_E_LIBNOTREGISTERED);
}

TEST_F(TypeLibTest, UnregisteringRemovesOnlyWhatTheLibraryStillOwns) {
  ASSERT_TRUE(WriteWholeFile("C:\\lib.tlb", ReadTestLibrary()));
  ASSERT_TRUE(Load(u"C:\\lib.tlb", REGKIND_REGISTER));
  // Another library has taken the automation interface over, and another
  // version of this library stays registered.
  RegistryKey key;
  ASSERT_EQ(
      key.Create(HKEY_CLASSES_ROOT, "Interface\\{11111111-0000-0000-0000-000000000002}\\TypeLib"),
      ERROR_SUCCESS);
  ASSERT_EQ(key.SetStringValue("", "{22222222-0000-0000-0000-000000000000}"), ERROR_SUCCESS);
  ASSERT_EQ(key.Create(HKEY_CLASSES_ROOT,
                       "TypeLib\\{11111111-0000-0000-0000-000000000010}\\1.0\\0\\win32"),
            ERROR_SUCCESS);
  key.Close();

  ASSERT_EQ(UnRegisterTypeLib(kLibid, 2, 10, 0, SYS_WIN32), S_OK);
  EXPECT_NE(key.Open(HKEY_CLASSES_ROOT, "Interface\\{11111111-0000-0000-0000-000000000001}"),
            ERROR_SUCCESS);
  EXPECT_EQ(key.Open(HKEY_CLASSES_ROOT, "Interface\\{11111111-0000-0000-0000-000000000002}"),
            ERROR_SUCCESS);
  EXPECT_NE(key.Open(HKEY_CLASSES_ROOT, "TypeLib\\{11111111-0000-0000-0000-000000000010}\\2.a"),
            ERROR_SUCCESS);
  EXPECT_EQ(key.Open(HKEY_CLASSES_ROOT, "TypeLib\\{11111111-0000-0000-0000-000000000010}\\1.0"),
            ERROR_SUCCESS);
  EXPECT_EQ(UnRegisterTypeLib(kLibid, 2, 10, 0, SYS_WIN32), TYPE_E_REGISTRYACCESS);

  ASSERT_EQ(UnRegisterTypeLib(kLibid, 1, 0, 0, SYS_WIN32), S_OK);
  EXPECT_NE(key.Open(HKEY_CLASSES_ROOT, "TypeLib\\{11111111-0000-0000-0000-000000000010}"),
            ERROR_SUCCESS);
}

}  // namespace
}  // namespace platform
