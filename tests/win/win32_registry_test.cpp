#include "platform/win32/win32_registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>

#include "common/errors.h"

namespace {

// A fresh key of one test below a root, removed with everything in it
// afterwards (with the Windows API directly, not the code under test).
class TTestKey {
 public:
  explicit TTestKey(HKEY root = HKEY_CURRENT_USER) : root_(root) {
    static std::atomic<int> counter{0};
    path_ = "Software\\SetupWinTests\\" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
  }
  ~TTestKey() {
    RegDeleteTreeA(root_, path_.c_str());
    RegDeleteKeyA(root_, "Software\\SetupWinTests");  // only once it is empty
  }
  // The path as the system writes it: from the root.
  std::string Rooted(const std::string& below = "") const { return "\\" + path_ + (below.empty() ? "" : "\\" + below); }
  bool Exists(const std::string& below = "") const {
    HKEY key;
    if (RegOpenKeyExA(root_, Rooted(below).substr(1).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
  // Below the test key's own handle, so that the ANSI path stays short: Wine
  // refuses ANSI key paths longer than MAX_PATH.
  void Create(const std::string& below = "") const {
    HKEY key, child;
    ASSERT_EQ(RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const LONG status = RegCreateKeyExA(key, below.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr);
    RegCloseKey(key);
    ASSERT_EQ(status, ERROR_SUCCESS);
    RegCloseKey(child);
  }
  void SetRaw(const std::string& name, DWORD type, const std::string& bytes) const {
    Create();
    ASSERT_EQ(RegSetKeyValueA(root_, path_.c_str(), name.c_str(), type, bytes.data(), static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
  }
  // The type and bytes of a value as stored.
  bool GetRaw(const std::string& name, DWORD& type, std::string& bytes) const {
    char buffer[1024];
    DWORD size = sizeof buffer;
    if (RegGetValueA(root_, path_.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, buffer, &size) !=
        ERROR_SUCCESS)
      return false;
    bytes.assign(buffer, size);
    return true;
  }

 private:
  HKEY root_;
  std::string path_;
};

std::unique_ptr<RegistryKey> Open(const TTestKey& key, KeyAccess access, bool create = false,
                                  const std::string& below = "") {
  TWin32Registry registry;
  return registry.OpenKey(RegistryRoot::CurrentUser, key.Rooted(below), access, create);
}

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const ERegistryException& e) {
    return e.Message();
  }
  return "<no registry error>";
}

struct TStoredValue {
  const char* Label;
  DWORD Type;
  std::string Bytes;
  const char* Expected;  // nullptr: a registry error
};

TEST(Win32Registry, ReadStringTakesTextTypesAsStoredAndRefusesOthers) {
  const std::string longText(1000, 'x');  // more than a first read takes
  const TStoredValue cases[] = {
      {"terminated", REG_SZ, std::string("C:\\Program Files\\Maker\0", 23), "C:\\Program Files\\Maker"},
      {"unterminated", REG_SZ, "no terminator", "no terminator"},
      {"empty", REG_SZ, "", ""},
      {"expandable, not expanded", REG_EXPAND_SZ, std::string("%SystemRoot%\\x.dll\0", 19), "%SystemRoot%\\x.dll"},
      {"long", REG_SZ, longText, longText.c_str()},
      {"multi-string", REG_MULTI_SZ, std::string("a\0b\0\0", 5), nullptr},
      {"integer", REG_DWORD, std::string("\5\0\0\0", 4), nullptr},
      {"binary", REG_BINARY, "abc", nullptr},
      {"long binary", REG_BINARY, std::string(4096, 'b'), nullptr},
  };
  for (const TStoredValue& stored : cases) {
    SCOPED_TRACE(stored.Label);
    TTestKey testKey;
    testKey.SetRaw("Value", stored.Type, stored.Bytes);
    auto key = Open(testKey, KeyAccess::Read);
    ASSERT_NE(key, nullptr);
    if (stored.Expected != nullptr)
      EXPECT_EQ(key->ReadString("Value"), stored.Expected);
    else
      EXPECT_EQ(ErrorOf([&] { key->ReadString("Value"); }), "Invalid data type for 'Value'");
  }
}

TEST(Win32Registry, AnAbsentValueReadsEmpty) {
  TTestKey testKey;
  testKey.Create();
  auto key = Open(testKey, KeyAccess::Read);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ReadString("Missing"), "");
  EXPECT_EQ(key->ReadString(""), "");  // the default value of a new key is unset
}

TEST(Win32Registry, WrittenValuesHaveTheirTypesAndReadBack) {
  TTestKey testKey;
  auto key = Open(testKey, KeyAccess::Full, true);
  ASSERT_NE(key, nullptr);
  key->WriteString("Location", "C:\\Program Files\\Maker\\");
  key->WriteString("", "default");
  key->WriteString("Empty", "");
  key->WriteInteger("Count", -5);
  EXPECT_EQ(key->ReadString("Location"), "C:\\Program Files\\Maker\\");
  EXPECT_EQ(key->ReadString(""), "default");
  EXPECT_EQ(key->ReadString("Empty"), "");

  DWORD type = 0;
  std::string bytes;
  ASSERT_TRUE(testKey.GetRaw("Location", type, bytes));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(bytes, std::string("C:\\Program Files\\Maker\\\0", 24));  // stored with its terminator
  ASSERT_TRUE(testKey.GetRaw("Count", type, bytes));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(bytes, std::string("\xFB\xFF\xFF\xFF", 4));
  // An integer is no string to read.
  EXPECT_EQ(ErrorOf([&] { key->ReadString("Count"); }), "Invalid data type for 'Count'");
}

TEST(Win32Registry, OpeningCreatesOnlyWhenAsked) {
  TTestKey testKey;
  EXPECT_EQ(Open(testKey, KeyAccess::Read), nullptr);
  EXPECT_EQ(Open(testKey, KeyAccess::Full), nullptr);
  EXPECT_FALSE(testKey.Exists());

  // Every missing level is made.
  EXPECT_NE(Open(testKey, KeyAccess::Full, true, "Maker\\Tool\\2.0"), nullptr);
  EXPECT_TRUE(testKey.Exists("Maker\\Tool\\2.0"));
  // Creating an existing key opens it.
  auto again = Open(testKey, KeyAccess::Full, true, "Maker");
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->SubKeyNames(), std::vector<std::string>{"Tool"});
}

TEST(Win32Registry, TheLeadingBackslashMeansFromTheRoot) {
  TTestKey testKey;
  TWin32Registry registry;
  const std::string rooted = testKey.Rooted("Sub");
  auto withSlash = registry.OpenKey(RegistryRoot::CurrentUser, rooted, KeyAccess::Full, true);
  ASSERT_NE(withSlash, nullptr);
  withSlash->WriteString("Name", "value");
  auto withoutSlash = registry.OpenKey(RegistryRoot::CurrentUser, rooted.substr(1), KeyAccess::Read, false);
  ASSERT_NE(withoutSlash, nullptr);
  EXPECT_EQ(withoutSlash->ReadString("Name"), "value");
}

TEST(Win32Registry, AKeyOpenedForReadingCannotWrite) {
  TTestKey testKey;
  testKey.Create();
  auto key = Open(testKey, KeyAccess::Read);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(ErrorOf([&] { key->WriteString("Name", "value"); }), "Failed to set data for 'Name'");
  EXPECT_EQ(ErrorOf([&] { key->WriteInteger("Count", 1); }), "Failed to set data for 'Count'");
  DWORD type;
  std::string bytes;
  EXPECT_FALSE(testKey.GetRaw("Name", type, bytes));
}

TEST(Win32Registry, SubKeyNamesListEveryChildOnce) {
  TTestKey testKey;
  testKey.Create();
  EXPECT_TRUE(Open(testKey, KeyAccess::Read)->SubKeyNames().empty());

  const std::string longest(255, 'k');  // the longest name a key may have
  for (const std::string& name : {std::string("2.0"), std::string("10.0"), std::string("Settings"), longest})
    testKey.Create(name);
  testKey.Create("2.0\\Nested");  // grandchildren are not listed
  auto names = Open(testKey, KeyAccess::Read)->SubKeyNames();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"10.0", "2.0", "Settings", longest}));
}

TEST(Win32Registry, DeleteKeyRemovesTheWholeTree) {
  TTestKey testKey;
  testKey.Create("Keep");
  for (const char* path : {"Gone\\A\\B\\C", "Gone\\A\\D", "Gone\\E"}) testKey.Create(path);
  Open(testKey, KeyAccess::Full, false, "Gone\\A\\B")->WriteString("Value", "x");

  TWin32Registry registry;
  EXPECT_TRUE(registry.DeleteKey(RegistryRoot::CurrentUser, testKey.Rooted("Gone")));
  EXPECT_FALSE(testKey.Exists("Gone"));
  EXPECT_TRUE(testKey.Exists("Keep"));
  // Already gone is gone; the path without its leading backslash names the same key.
  EXPECT_TRUE(registry.DeleteKey(RegistryRoot::CurrentUser, testKey.Rooted("Gone")));
  EXPECT_TRUE(registry.DeleteKey(RegistryRoot::CurrentUser, testKey.Rooted("Keep").substr(1)));
  EXPECT_FALSE(testKey.Exists("Keep"));
}

TEST(Win32Registry, DeleteKeyRefusesTheRootItself) {
  TTestKey testKey;
  testKey.Create();
  TWin32Registry registry;
  for (const char* path : {"", "\\", "\\\\"}) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(registry.DeleteKey(RegistryRoot::CurrentUser, path));
  }
  EXPECT_TRUE(testKey.Exists());
}

// The three roots reach the three hives the Windows API names.
TEST(Win32Registry, EveryRootReachesItsHive) {
  const struct {
    RegistryRoot Root;
    HKEY Key;
  } roots[] = {{RegistryRoot::ClassesRoot, HKEY_CLASSES_ROOT},
               {RegistryRoot::CurrentUser, HKEY_CURRENT_USER},
               {RegistryRoot::LocalMachine, HKEY_LOCAL_MACHINE}};
  TWin32Registry registry;
  for (const auto& root : roots) {
    SCOPED_TRACE(static_cast<int>(root.Root));
    TTestKey testKey(root.Key);
    auto key = registry.OpenKey(root.Root, testKey.Rooted(), KeyAccess::Full, true);
    ASSERT_NE(key, nullptr);
    key->WriteString("Root", std::to_string(static_cast<int>(root.Root)));
    DWORD type;
    std::string bytes;
    ASSERT_TRUE(testKey.GetRaw("Root", type, bytes));
    EXPECT_EQ(bytes, std::to_string(static_cast<int>(root.Root)) + '\0');
    EXPECT_TRUE(registry.DeleteKey(root.Root, testKey.Rooted()));
    EXPECT_FALSE(testKey.Exists());
  }
  // The machine's software key opens with full access, as the rights test asks.
  EXPECT_NE(registry.OpenKey(RegistryRoot::LocalMachine, "SOFTWARE", KeyAccess::Full, true), nullptr);
}

}  // namespace
