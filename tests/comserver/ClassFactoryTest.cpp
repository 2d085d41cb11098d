// The DLL's exports, class factory and unload counting, through the built DLL as COM uses it.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <atomic>
#include <thread>
#include <vector>

#include "base/Handles.h"
#include "base/ShellExtIds.h"
#include "comserver/DllUnderTest.h"

namespace tessera {
namespace {

using test::ShellExtDll;

// The class of the other build, which this DLL must not answer for.
constexpr const CLSID& kOtherBuildsClass = &CLSID_TesseraContextMenu == &CLSID_Tessera64 ? CLSID_Tessera32 : CLSID_Tessera64;

ComPtr<IClassFactory> GetFactory() {
  ComPtr<IClassFactory> factory;
  EXPECT_EQ(ShellExtDll().DllGetClassObject(CLSID_TesseraContextMenu, IID_IClassFactory, factory.put_void()), S_OK);
  return factory;
}

TEST(ClassFactory, DllGetClassObjectAnswersOnlyItsClassAndFactoryInterfaces) {
  const auto& dll = ShellExtDll();
  ASSERT_TRUE(dll.DllGetClassObject && dll.DllCanUnloadNow && dll.DllRegisterServer && dll.DllUnregisterServer);
  struct Case {
    const CLSID* clsid;
    const IID* iid;
    HRESULT expected;
  } cases[] = {
      {&CLSID_TesseraContextMenu, &IID_IClassFactory, S_OK},
      {&CLSID_TesseraContextMenu, &IID_IUnknown, S_OK},
      {&CLSID_TesseraContextMenu, &IID_IContextMenu, E_NOINTERFACE},
      {&kOtherBuildsClass, &IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
      {&IID_IUnknown, &IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
  };
  for (const auto& c : cases) {
    void* p = reinterpret_cast<void*>(1);
    EXPECT_EQ(dll.DllGetClassObject(*c.clsid, *c.iid, &p), c.expected);
    if (c.expected == S_OK) {
      ASSERT_NE(p, nullptr);
      static_cast<IUnknown*>(p)->Release();
    } else {
      EXPECT_EQ(p, nullptr);
    }
  }
  EXPECT_EQ(dll.DllCanUnloadNow(), S_OK);
}

TEST(ClassFactory, CreateInstanceRules) {
  auto factory = GetFactory();
  ComPtr<IContextMenu> menu;
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, menu.put_void()), S_OK);
  EXPECT_TRUE(menu);
  ComPtr<IShellExtInit> init = menu.as<IShellExtInit>(IID_IShellExtInit);
  EXPECT_TRUE(init);

  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, nullptr), E_POINTER);

  // An outer object may only ask for IUnknown.
  void* p = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->CreateInstance(menu.get(), IID_IContextMenu, &p), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(p, nullptr);

  // An object no interface was handed out for is gone at once.
  menu.reset();
  init.reset();
  p = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu2, &p), E_NOINTERFACE);
  EXPECT_EQ(p, nullptr);
  factory.reset();
  EXPECT_EQ(ShellExtDll().DllCanUnloadNow(), S_OK);
}

TEST(ClassFactory, CanUnloadOnlyWhenNothingIsHeld) {
  const auto& dll = ShellExtDll();
  ASSERT_EQ(dll.DllCanUnloadNow(), S_OK);

  auto factory = GetFactory();
  EXPECT_EQ(dll.DllCanUnloadNow(), S_FALSE) << "factory reference outstanding";

  ComPtr<IContextMenu> menu;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, menu.put_void()), S_OK);
  ASSERT_EQ(factory->LockServer(TRUE), S_OK);
  factory.reset();
  EXPECT_EQ(dll.DllCanUnloadNow(), S_FALSE) << "handler alive and lock held";

  menu.reset();
  EXPECT_EQ(dll.DllCanUnloadNow(), S_FALSE) << "lock held";

  factory = GetFactory();
  ASSERT_EQ(factory->LockServer(FALSE), S_OK);
  EXPECT_EQ(dll.DllCanUnloadNow(), S_FALSE) << "factory reference outstanding";
  factory.reset();
  EXPECT_EQ(dll.DllCanUnloadNow(), S_OK);
}

TEST(ClassFactory, CountersStayExactUnderConcurrentHandlers) {
  auto factory = GetFactory();
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 500; ++i) {
        ComPtr<IContextMenu> menu;
        if (factory->CreateInstance(nullptr, IID_IContextMenu, menu.put_void()) != S_OK) ++failures;
        ComPtr<IShellExtInit> init = menu.as<IShellExtInit>(IID_IShellExtInit);
        ComPtr<IClassFactory> extra;
        if (ShellExtDll().DllGetClassObject(CLSID_TesseraContextMenu, IID_IClassFactory, extra.put_void()) != S_OK) ++failures;
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(failures.load(), 0);
  EXPECT_EQ(ShellExtDll().DllCanUnloadNow(), S_FALSE);
  factory.reset();
  EXPECT_EQ(ShellExtDll().DllCanUnloadNow(), S_OK);
}

}  // namespace
}  // namespace tessera
