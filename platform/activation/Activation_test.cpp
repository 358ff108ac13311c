#include "platform/activation/Activation.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "platform/activation/testdata/TestServerClasses.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ComInit.h"
#include "platform/files/FileSystem.h"
#include "platform/plugin/LoadedModule.h"
#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryTestHooks.h"

namespace platform {
namespace {

constexpr char kServerPath[] = "C:\\Program Files\\Test\\TestServer.dll";

std::string HostFileBytes(const char* hostPath) {
  std::ifstream in(hostPath, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void RegisterServer(const CLSID& clsid, std::string_view modulePath) {
  RegistryKey key;
  ASSERT_EQ(key.Create(HKEY_CLASSES_ROOT, "CLSID\\" + FormatGuid(clsid) + "\\InprocServer32"),
            ERROR_SUCCESS);
  ASSERT_EQ(key.SetStringValue("", modulePath), ERROR_SUCCESS);
  ASSERT_EQ(key.SetStringValue("ThreadingModel", "Apartment"), ERROR_SUCCESS);
}

class ActivationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(MakeDirectories("C:\\Program Files\\Test"));
    ASSERT_TRUE(WriteWholeFile(kServerPath, HostFileBytes(VIMARU_TEST_SERVER_MODULE)));
    RegisterServer(CLSID_TestGreeter, kServerPath);
  }
  void TearDown() override { CoFreeUnusedLibraries(); }

  ScopedFileSystemRoot root_;
  ScopedRegistryReset registry_;
  ScopedComInit com_;
};

TEST_F(ActivationTest, CreatesThroughTheRegisteredModuleAndKeepsItCached) {
  ComPtr<ITestGreeter> greeter;
  ASSERT_EQ(CoCreateInstance(CLSID_TestGreeter, nullptr, CLSCTX_INPROC_SERVER,
                             IID_PPV_ARGS(greeter.ReleaseAndGetAddressOf())),
            S_OK);
  EXPECT_EQ(greeter->Greet(), 1);
  EXPECT_TRUE(IsInprocServerCached("c:\\program files\\test\\testserver.dll"));

  // A live object keeps the module; once it is gone the module may unload,
  // and a new activation starts with fresh module state.
  CoFreeUnusedLibraries();
  EXPECT_TRUE(IsModuleLoaded(kServerPath));
  EXPECT_EQ(greeter->Greet(), 2);
  greeter.Reset();
  CoFreeUnusedLibraries();
  EXPECT_FALSE(IsInprocServerCached(kServerPath));
  EXPECT_FALSE(IsModuleLoaded(kServerPath));

  ASSERT_EQ(CoCreateInstance(CLSID_TestGreeter, nullptr, CLSCTX_ALL,
                             IID_PPV_ARGS(greeter.ReleaseAndGetAddressOf())),
            S_OK);
  EXPECT_EQ(greeter->Greet(), 1);
}

TEST_F(ActivationTest, ServerLocksKeepTheModuleLoaded) {
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(CoGetClassObject(CLSID_TestGreeter, CLSCTX_INPROC_SERVER, nullptr,
                             IID_PPV_ARGS(factory.ReleaseAndGetAddressOf())),
            S_OK);
  ASSERT_EQ(factory->LockServer(1), S_OK);
  CoFreeUnusedLibraries();
  EXPECT_TRUE(IsModuleLoaded(kServerPath));
  ASSERT_EQ(factory->LockServer(0), S_OK);
  factory.Reset();
  CoFreeUnusedLibraries();
  EXPECT_FALSE(IsModuleLoaded(kServerPath));
}

TEST_F(ActivationTest, ReportsEachFailureAsWindowsDoes) {
  const CLSID unknown = MakeGuid("00000000-1111-2222-3333-444444444444");
  RegisterServer(CLSID_TestUnserved, kServerPath);
  struct Case {
    const char* situation;
    CLSID clsid{};
    DWORD context;
    HRESULT expected;
  };
  const Case cases[] = {
      {"not registered", unknown, CLSCTX_INPROC_SERVER, REGDB_E_CLASSNOTREG},
      {"module does not serve the class", CLSID_TestUnserved, CLSCTX_INPROC_SERVER,
       CLASS_E_CLASSNOTAVAILABLE},
      {"no in-process context asked", CLSID_TestGreeter, CLSCTX_LOCAL_SERVER, REGDB_E_CLASSNOTREG},
  };
  for (const Case& c : cases) {
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CoCreateInstance(c.clsid, nullptr, c.context, IID_IUnknown, &object), c.expected)
        << c.situation;
    EXPECT_EQ(object, nullptr) << c.situation;
  }
  ComPtr<IClassFactory> wrongInterface;
  EXPECT_EQ(CoCreateInstance(CLSID_TestGreeter, nullptr, CLSCTX_INPROC_SERVER,
                             IID_PPV_ARGS(wrongInterface.ReleaseAndGetAddressOf())),
            E_NOINTERFACE);
  EXPECT_EQ(
      CoCreateInstance(CLSID_TestGreeter, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, nullptr),
      E_POINTER);
}

TEST_F(ActivationTest, ModulesThatCannotServe) {
  ASSERT_TRUE(WriteWholeFile("C:\\Program Files\\Test\\Broken.dll", "MZ not a library"));
  ASSERT_TRUE(WriteWholeFile("C:\\Program Files\\Test\\NoEntry.dll",
                             HostFileBytes(VIMARU_TEST_MODULE_WITHOUT_ENTRY)));
  struct Case {
    const char* modulePath;
    HRESULT expected;
  };
  const Case cases[] = {
      {"C:\\Program Files\\Test\\Missing.dll", HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND)},
      {"C:\\Program Files\\Test\\Broken.dll", HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND)},
      {"C:\\Program Files\\Test\\NoEntry.dll", CO_E_ERRORINDLL},
      {"", REGDB_E_CLASSNOTREG},
  };
  for (const Case& c : cases) {
    RegisterServer(CLSID_TestUnserved, c.modulePath);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CoGetClassObject(CLSID_TestUnserved, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               &object),
              c.expected)
        << c.modulePath;
    EXPECT_EQ(object, nullptr);
  }
}

TEST_F(ActivationTest, NeedsComOnTheCallingThread) {
  HRESULT result = S_OK;
  std::thread uninitialised([&] {
    void* object = nullptr;
    result =
        CoCreateInstance(CLSID_TestGreeter, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object);
  });
  uninitialised.join();
  EXPECT_EQ(result, CO_E_NOTINITIALIZED);
}

class LocalGreeter final : public ComObject<ITestGreeter> {
 public:
  int Greet() override { return 100; }
};

TEST_F(ActivationTest, ClassObjectsRegisteredInProcessComeBeforeTheRegistry) {
  auto factory = Make<ClassFactory<LocalGreeter>>();
  DWORD cookie = 0;
  ASSERT_EQ(CoRegisterClassObject(CLSID_TestGreeter, factory.Get(), CLSCTX_INPROC_SERVER,
                                  REGCLS_MULTIPLEUSE, &cookie),
            S_OK);
  DWORD second = 0;
  EXPECT_EQ(CoRegisterClassObject(CLSID_TestGreeter, factory.Get(), CLSCTX_INPROC_SERVER,
                                  REGCLS_MULTIPLEUSE, &second),
            E_INVALIDARG);
  ComPtr<ITestGreeter> greeter;
  ASSERT_EQ(CoCreateInstance(CLSID_TestGreeter, nullptr, CLSCTX_INPROC_SERVER,
                             IID_PPV_ARGS(greeter.ReleaseAndGetAddressOf())),
            S_OK);
  EXPECT_EQ(greeter->Greet(), 100);
  EXPECT_FALSE(IsInprocServerCached(kServerPath));
  ASSERT_EQ(CoRevokeClassObject(cookie), S_OK);
  EXPECT_EQ(CoRevokeClassObject(cookie), CO_E_OBJNOTREG);
  ASSERT_EQ(CoCreateInstance(CLSID_TestGreeter, nullptr, CLSCTX_INPROC_SERVER,
                             IID_PPV_ARGS(greeter.ReleaseAndGetAddressOf())),
            S_OK);
  EXPECT_EQ(greeter->Greet(), 1);
}

TEST_F(ActivationTest, ALocalServersClassObjectAnswersLocalServerRequestsOnly) {
  auto factory = Make<ClassFactory<LocalGreeter>>();
  DWORD cookie = 0;
  ASSERT_EQ(CoRegisterClassObject(CLSID_TestGreeter, factory.Get(), CLSCTX_LOCAL_SERVER,
                                  REGCLS_MULTIPLEUSE, &cookie),
            S_OK);
  ComPtr<ITestGreeter> greeter;
  ASSERT_EQ(CoCreateInstance(CLSID_TestGreeter, nullptr, CLSCTX_LOCAL_SERVER,
                             IID_PPV_ARGS(greeter.ReleaseAndGetAddressOf())),
            S_OK);
  EXPECT_EQ(greeter->Greet(), 100);
  // The in-process request still reaches the registered module.
  ASSERT_EQ(CoCreateInstance(CLSID_TestGreeter, nullptr, CLSCTX_INPROC_SERVER,
                             IID_PPV_ARGS(greeter.ReleaseAndGetAddressOf())),
            S_OK);
  EXPECT_EQ(greeter->Greet(), 1);
  ASSERT_EQ(CoRevokeClassObject(cookie), S_OK);
  EXPECT_EQ(CoCreateInstance(CLSID_TestGreeter, nullptr, CLSCTX_LOCAL_SERVER,
                             IID_PPV_ARGS(greeter.ReleaseAndGetAddressOf())),
            REGDB_E_CLASSNOTREG);
}

TEST_F(ActivationTest, AggregationAsksForIUnknownOnly) {
  auto outer = Make<LocalGreeter>();
  ComPtr<ITestGreeter> greeter;
  EXPECT_EQ(CoCreateInstance(CLSID_TestGreeter, outer.Get(), CLSCTX_INPROC_SERVER,
                             IID_PPV_ARGS(greeter.ReleaseAndGetAddressOf())),
            E_INVALIDARG);
  ComPtr<IUnknown> inner;
  EXPECT_EQ(CoCreateInstance(CLSID_TestGreeter, outer.Get(), CLSCTX_INPROC_SERVER, IID_IUnknown,
                             inner.ReleaseAndGetVoidAddressOf()),
            CLASS_E_NOAGGREGATION);
}

}  // namespace
}  // namespace platform
