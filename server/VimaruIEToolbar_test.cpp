// The module as the browser meets it: installed at its Windows path, named
// by the registry's InprocServer32, loaded by activation, and unloaded by
// CoFreeUnusedLibraries once its DllCanUnloadNow lets it go. Nothing of the
// product is linked into this test: what it sees comes through COM.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "platform/activation/Activation.h"
#include "platform/browser/BrowserFrame.h"
#include "platform/browser/ShellInterfaces.h"
#include "platform/clock/Clock.h"
#include "platform/com/ComInit.h"
#include "platform/com/ComObject.h"
#include "platform/com/Guid.h"
#include "platform/files/FileSystem.h"
#include "platform/plugin/LoadedModule.h"
#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryTestHooks.h"
#include "platform/resources/ModuleResources.h"
#include "platform/threading/WorkerThread.h"
#include "session/band/SidebarClass.h"
#include "tools/install/ModuleInstall.h"
#include "tools/refservice/ReferenceService.h"

namespace {

using platform::ComPtr;

constexpr CLSID kToolbarClass = platform::MakeGuid("{736FA7B4-0557-11DB-95BA-00C09F713765}");
constexpr CLSID kSidebarClass = session::CLSID_CmyIESideBar;
constexpr CLSID kUnservedClass = platform::MakeGuid("{736FA7B4-0557-11DB-95BA-00C09F7137FF}");

// Points the module's service calls somewhere for one test.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() { ::unsetenv(name_); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
};

std::string ResUrl(std::string_view modulePath) {
  return "res://" + std::string(modulePath) + "/ToolBandLayout.xml";
}

// An outer object that aggregates whatever inner unknown it is given and
// answers every interface but its own through it, as an aggregating COM
// class does.
struct IOuterMarker : IUnknown {
  static constexpr IID kIid = platform::MakeGuid("{C0000000-0000-0000-0000-00000000AA01}");

 protected:
  ~IOuterMarker() = default;
};

class Outer final : public platform::ComObject<IOuterMarker> {
 public:
  ComPtr<IUnknown> inner;

  ULONG References() {
    AddRef();
    return Release();
  }

 protected:
  HRESULT QueryOtherInterface(REFIID iid, void** object) override {
    return inner ? inner->QueryInterface(iid, object) : E_NOINTERFACE;
  }
};

class ServerModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tools::InstallModule(VIMARU_SERVER_MODULE));
    Register(kToolbarClass, platform::kInstalledModulePath);
    Register(kSidebarClass, platform::kInstalledModulePath);
  }
  void TearDown() override {
    CoFreeUnusedLibraries();
    EXPECT_FALSE(platform::IsInprocServerCached(platform::kInstalledModulePath));
    EXPECT_FALSE(platform::IsModuleLoaded(platform::kInstalledModulePath)) << "the module is gone";
  }

  static void Register(const CLSID& clsid, std::string_view modulePath) {
    platform::RegistryKey key;
    ASSERT_EQ(
        key.Create(HKEY_CLASSES_ROOT, "CLSID\\" + platform::FormatGuid(clsid) + "\\InprocServer32"),
        ERROR_SUCCESS);
    ASSERT_EQ(key.SetStringValue("", modulePath), ERROR_SUCCESS);
    ASSERT_EQ(key.SetStringValue("ThreadingModel", "Apartment"), ERROR_SUCCESS);
  }

  // DllCanUnloadNow of the loaded module, asked as CoFreeUnusedLibraries
  // asks it. The extra load is given back before the answer is returned.
  static HRESULT CanUnloadNow() {
    EXPECT_TRUE(platform::IsModuleLoaded(platform::kInstalledModulePath));
    auto module = platform::LoadedModule::Load(platform::kInstalledModulePath);
    if (!module) return E_FAIL;
    auto* canUnloadNow = module->GetProc<DllCanUnloadNowFunction>("DllCanUnloadNow");
    return canUnloadNow == nullptr ? E_FAIL : canUnloadNow();
  }

  // Unloads what may go and tells whether the module stayed.
  static bool StaysLoadedAfterFreeing() {
    CoFreeUnusedLibraries();
    return platform::IsInprocServerCached(platform::kInstalledModulePath);
  }

  platform::ScopedComInit com_;
  platform::ScopedRegistryReset registry_;
  platform::ScopedFileSystemRoot files_{"D"};
};

TEST_F(ServerModuleTest, ExportsExactlyTheFourEntryPoints) {
  const std::string command = std::string("nm -D --defined-only '") + VIMARU_SERVER_MODULE + "'";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), &pclose);
  ASSERT_NE(pipe, nullptr);
  std::set<std::string> exported;
  char line[4096];
  while (fgets(line, sizeof line, pipe.get()) != nullptr) {
    std::istringstream fields(line);
    std::string address, kind, name;
    if (fields >> address >> kind >> name) exported.insert(name);
  }
  EXPECT_EQ(exported, (std::set<std::string>{"DllCanUnloadNow", "DllGetClassObject",
                                             "DllRegisterServer", "DllUnregisterServer"}));
}

TEST_F(ServerModuleTest, TheToolbarKeepsTheModuleLoadedWhileItLives) {
  ComPtr<IObjectWithSite> toolbar;
  ASSERT_EQ(CoCreateInstance(kToolbarClass, nullptr, CLSCTX_INPROC_SERVER, IID_IObjectWithSite,
                             toolbar.ReleaseAndGetVoidAddressOf()),
            S_OK);
  ComPtr<IDeskBand> band;
  EXPECT_EQ(toolbar.As(&band), S_OK) << "the toolbar is a desk band";
  band.Reset();
  EXPECT_EQ(CanUnloadNow(), S_FALSE);
  EXPECT_TRUE(StaysLoadedAfterFreeing());

  toolbar.Reset();
  EXPECT_EQ(CanUnloadNow(), S_OK);
  EXPECT_FALSE(StaysLoadedAfterFreeing());
}

TEST_F(ServerModuleTest, TheSidebarKeepsTheModuleLoadedWhileItLives) {
  ComPtr<IDeskBand> sidebar;
  ASSERT_EQ(CoCreateInstance(kSidebarClass, nullptr, CLSCTX_INPROC_SERVER, IID_IDeskBand,
                             sidebar.ReleaseAndGetVoidAddressOf()),
            S_OK);
  EXPECT_EQ(CanUnloadNow(), S_FALSE);
  EXPECT_TRUE(StaysLoadedAfterFreeing());

  sidebar.Reset();
  EXPECT_EQ(CanUnloadNow(), S_OK);
  EXPECT_FALSE(StaysLoadedAfterFreeing());
}

TEST_F(ServerModuleTest, AFactoryLockKeepsTheModuleLoadedUntilItIsGivenBack) {
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(CoGetClassObject(kSidebarClass, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                             factory.ReleaseAndGetVoidAddressOf()),
            S_OK);
  ASSERT_EQ(factory->LockServer(TRUE), S_OK);
  factory.Reset();
  EXPECT_EQ(CanUnloadNow(), S_FALSE) << "the lock outlives the factory pointer";
  EXPECT_TRUE(StaysLoadedAfterFreeing());

  ASSERT_EQ(CoGetClassObject(kSidebarClass, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                             factory.ReleaseAndGetVoidAddressOf()),
            S_OK);
  ASSERT_EQ(factory->LockServer(FALSE), S_OK);
  factory.Reset();
  EXPECT_EQ(CanUnloadNow(), S_OK);
  EXPECT_FALSE(StaysLoadedAfterFreeing());
}

TEST_F(ServerModuleTest, EachClassHasOneFactoryForTheModulesLife) {
  ComPtr<IClassFactory> first, second, sidebar;
  ASSERT_EQ(CoGetClassObject(kToolbarClass, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                             first.ReleaseAndGetVoidAddressOf()),
            S_OK);
  ASSERT_EQ(CoGetClassObject(kToolbarClass, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                             second.ReleaseAndGetVoidAddressOf()),
            S_OK);
  ASSERT_EQ(CoGetClassObject(kSidebarClass, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                             sidebar.ReleaseAndGetVoidAddressOf()),
            S_OK);
  EXPECT_EQ(first.Get(), second.Get());
  EXPECT_NE(first.Get(), sidebar.Get());
  EXPECT_EQ(CanUnloadNow(), S_OK) << "a factory alone does not hold the module";
}

TEST_F(ServerModuleTest, AClassTheModuleDoesNotServeIsNotAvailable) {
  Register(kUnservedClass, platform::kInstalledModulePath);
  ComPtr<IUnknown> object;
  EXPECT_EQ(CoCreateInstance(kUnservedClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                             object.ReleaseAndGetVoidAddressOf()),
            CLASS_E_CLASSNOTAVAILABLE);
  ComPtr<IClassFactory> factory;
  EXPECT_EQ(CoGetClassObject(kToolbarClass, CLSCTX_INPROC_SERVER, nullptr, IID_IDeskBand,
                             factory.ReleaseAndGetVoidAddressOf()),
            E_NOINTERFACE)
      << "the factory answers only what a factory is";
}

TEST_F(ServerModuleTest, TheToolbarRefusesAnOuterObject) {
  auto outer = platform::Make<Outer>();
  ComPtr<IUnknown> inner;
  EXPECT_EQ(CoCreateInstance(kToolbarClass, outer.Get(), CLSCTX_INPROC_SERVER, IID_IUnknown,
                             inner.ReleaseAndGetVoidAddressOf()),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(inner.Get(), nullptr);
  EXPECT_EQ(outer->References(), 1u) << "the refused creation kept no reference";
  EXPECT_EQ(CanUnloadNow(), S_OK) << "no toolbar was left behind";
}

TEST_F(ServerModuleTest, TheSidebarAggregatedAnswersThroughItsOuterObject) {
  auto outer = platform::Make<Outer>();
  ASSERT_EQ(CoCreateInstance(kSidebarClass, outer.Get(), CLSCTX_INPROC_SERVER, IID_IUnknown,
                             outer->inner.ReleaseAndGetVoidAddressOf()),
            S_OK);
  EXPECT_EQ(outer->References(), 1u) << "the inner object does not hold its outer one";

  ComPtr<IUnknown> innerIdentity;
  ASSERT_EQ(outer->inner->QueryInterface(IID_IUnknown, innerIdentity.ReleaseAndGetVoidAddressOf()),
            S_OK);
  EXPECT_EQ(innerIdentity.Get(), outer->inner.Get()) << "the inner unknown answers itself";
  innerIdentity.Reset();

  ComPtr<IDeskBand> band;
  ASSERT_EQ(outer->QueryInterface(IID_IDeskBand, band.ReleaseAndGetVoidAddressOf()), S_OK);
  EXPECT_EQ(outer->References(), 2u) << "the band's reference is the outer object's";
  ComPtr<IUnknown> identity;
  ASSERT_EQ(band->QueryInterface(IID_IUnknown, identity.ReleaseAndGetVoidAddressOf()), S_OK);
  EXPECT_EQ(identity.Get(), static_cast<IUnknown*>(outer.Get())) << "one identity: the outer's";
  identity.Reset();
  ComPtr<IOuterMarker> marker;
  EXPECT_EQ(band->QueryInterface(IOuterMarker::kIid, marker.ReleaseAndGetVoidAddressOf()), S_OK)
      << "the band's QueryInterface reaches the outer object's interfaces";
  marker.Reset();
  ComPtr<IObjectWithSite> withSite;
  EXPECT_EQ(band->QueryInterface(IID_IObjectWithSite, withSite.ReleaseAndGetVoidAddressOf()), S_OK);
  EXPECT_EQ(band->AddRef(), 4u);
  EXPECT_EQ(band->Release(), 3u);
  withSite.Reset();
  band.Reset();
  EXPECT_EQ(outer->References(), 1u);

  EXPECT_EQ(CanUnloadNow(), S_FALSE) << "the aggregated sidebar is alive";
  outer->inner.Reset();
  EXPECT_EQ(CanUnloadNow(), S_OK);
}

TEST_F(ServerModuleTest, AnOuterObjectGetsOnlyTheInnerUnknown) {
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(CoGetClassObject(kSidebarClass, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                             factory.ReleaseAndGetVoidAddressOf()),
            S_OK);
  auto outer = platform::Make<Outer>();
  ComPtr<IDeskBand> band;
  EXPECT_EQ(factory->CreateInstance(outer.Get(), IID_IDeskBand, band.ReleaseAndGetVoidAddressOf()),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(band.Get(), nullptr);
  EXPECT_EQ(outer->References(), 1u);
}

TEST_F(ServerModuleTest, TheModulesResourcesAreFoundByThePathItWasLoadedFrom) {
  constexpr std::string_view kElsewhere = "D:\\Tools\\Vimaru Side\\VimaruIEToolbar.dll";
  ASSERT_TRUE(tools::InstallModule(VIMARU_SERVER_MODULE, kElsewhere));
  Register(kSidebarClass, kElsewhere);
  EXPECT_FALSE(platform::LoadResUrl(ResUrl(kElsewhere)));

  ComPtr<IDeskBand> sidebar;
  ASSERT_EQ(CoCreateInstance(kSidebarClass, nullptr, CLSCTX_INPROC_SERVER, IID_IDeskBand,
                             sidebar.ReleaseAndGetVoidAddressOf()),
            S_OK);
  const auto layout = platform::LoadResUrl(ResUrl(kElsewhere));
  ASSERT_TRUE(layout) << "the module recorded the path it was loaded from";
  EXPECT_NE(layout->find("<toolband"), std::string_view::npos);
  EXPECT_FALSE(platform::LoadResUrl(ResUrl(platform::kInstalledModulePath)))
      << "nothing answers for a path no module was loaded from";

  sidebar.Reset();
  CoFreeUnusedLibraries();
  EXPECT_FALSE(platform::IsModuleLoaded(kElsewhere));
  EXPECT_FALSE(platform::LoadResUrl(ResUrl(kElsewhere))) << "its resources left with it";
}

// The first toolbar's session fetches the category lists on a worker of the
// module; the service holds its answer back, so the worker is still waiting
// when the toolbar has gone. Stopping the service ends the wait.
TEST_F(ServerModuleTest, AWorkerOfTheModuleKeepsItLoadedUntilItReturns) {
  platform::VirtualClock clock;  // no time-out ends the wait meanwhile
  auto service = std::make_unique<refservice::ReferenceService>();
  service->Misbehave("GetCategoryList",
                     refservice::Misbehaviour::Delay(std::chrono::minutes(10)).Sticky());
  ScopedEnvironment ads("VIMARU_ADS_ENDPOINT", service->AdsEndpoint());
  ScopedEnvironment utils("VIMARU_UTILS_ENDPOINT", service->UtilsEndpoint());
  ScopedEnvironment site("VIMARU_WEB_SITE", service->BaseUrl() + "/");
  {
    platform::BrowserFrame frame;
    ASSERT_EQ(frame.AddToolbar(kToolbarClass), S_OK);
    ASSERT_GE(platform::RunningWorkerThreads(), 1) << "the lists are being fetched";
  }
  EXPECT_EQ(CanUnloadNow(), S_FALSE) << "no object is left, but the worker runs";
  EXPECT_TRUE(StaysLoadedAfterFreeing());

  service->Stop();
  platform::WaitForWorkerThreads();
  EXPECT_EQ(CanUnloadNow(), S_OK);
  EXPECT_FALSE(StaysLoadedAfterFreeing());
}

TEST_F(ServerModuleTest, LoadUseAndUnloadCyclesInOneProcess) {
  for (int cycle = 0; cycle < 3; ++cycle) {
    SCOPED_TRACE(cycle);
    ComPtr<IObjectWithSite> toolbar;
    ComPtr<IDeskBand> sidebar;
    ASSERT_EQ(CoCreateInstance(kToolbarClass, nullptr, CLSCTX_INPROC_SERVER, IID_IObjectWithSite,
                               toolbar.ReleaseAndGetVoidAddressOf()),
              S_OK);
    ASSERT_EQ(CoCreateInstance(kSidebarClass, nullptr, CLSCTX_INPROC_SERVER, IID_IDeskBand,
                               sidebar.ReleaseAndGetVoidAddressOf()),
              S_OK);
    DESKBANDINFO info{};
    info.dwMask = DBIM_MINSIZE;
    EXPECT_EQ(sidebar->GetBandInfo(0, 0, &info), S_OK);
    toolbar.Reset();
    sidebar.Reset();
    EXPECT_FALSE(StaysLoadedAfterFreeing());
  }
}

}  // namespace
