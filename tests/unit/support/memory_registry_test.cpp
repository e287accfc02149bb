// The memory registry stands in for Windows' in every test of registry logic,
// so its refusals must be the real ones.
#include "memory_registry.h"

#include <gtest/gtest.h>

#include <functional>

#include "common/errors.h"

namespace {

constexpr auto kHKLM = RegistryRoot::LocalMachine;
constexpr auto kHKCU = RegistryRoot::CurrentUser;

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const ERegistryException& e) {
    return e.Message();
  }
  return "";
}

TEST(TMemoryRegistry, PathsIgnoreCaseAndALeadingBackslash) {
  TMemoryRegistry reg;
  reg.SetString(kHKLM, "Software\\Vendor", "Location", "C:\\P");
  auto key = reg.OpenKey(kHKLM, "\\SOFTWARE\\vendor", KeyAccess::Read, false);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->ReadString("location"), "C:\\P");
  EXPECT_EQ(key->ReadString("Missing"), "");
  EXPECT_FALSE(reg.OpenKey(kHKCU, "\\Software\\Vendor", KeyAccess::Read, false));  // roots are apart
  EXPECT_FALSE(reg.OpenKey(kHKLM, "\\Software\\Other", KeyAccess::Full, false));
}

TEST(TMemoryRegistry, ValuesAreTyped) {
  TMemoryRegistry reg;
  auto key = reg.OpenKey(kHKCU, "\\Software\\Vendor\\Product", KeyAccess::Full, true);
  ASSERT_TRUE(key);
  key->WriteInteger("Count", 3);
  key->WriteString("Name", "Ann");
  EXPECT_EQ(ErrorOf([&] { key->ReadString("Count"); }), "Invalid data type for 'Count'");
  EXPECT_EQ(reg.IntegerValue(kHKCU, "Software\\Vendor\\Product", "Count"), 3);
  EXPECT_EQ(reg.ValueType(kHKCU, "Software\\Vendor\\Product", "Name"), RegistryValueType::String);
  key->WriteString("Count", "three");  // a write changes the type
  EXPECT_EQ(key->ReadString("Count"), "three");
  EXPECT_TRUE(reg.KeyExists(kHKCU, "Software\\Vendor"));  // made with its parents
}

TEST(TMemoryRegistry, AKeyOpenedReadOnlyCannotBeWritten) {
  TMemoryRegistry reg;
  reg.AddKey(kHKLM, "Software\\Vendor");
  auto key = reg.OpenKey(kHKLM, "\\Software\\Vendor", KeyAccess::Read, false);
  EXPECT_EQ(ErrorOf([&] { key->WriteString("Location", "C:\\P"); }), "Failed to set data for 'Location'");
  EXPECT_FALSE(reg.ValueType(kHKLM, "Software\\Vendor", "Location"));
}

TEST(TMemoryRegistry, RefusalsOfAProtectedKey) {
  TMemoryRegistry reg;
  reg.SetString(kHKLM, "Software\\Vendor\\Product", "Location", "C:\\P");
  reg.DenyAccess(kHKLM, "Software\\Vendor");
  EXPECT_TRUE(reg.OpenKey(kHKLM, "\\Software\\Vendor\\Product", KeyAccess::Read, false));
  EXPECT_FALSE(reg.OpenKey(kHKLM, "\\Software\\Vendor\\Product", KeyAccess::Full, false));
  EXPECT_FALSE(reg.OpenKey(kHKLM, "\\Software\\Vendor\\New", KeyAccess::Full, true));
  EXPECT_FALSE(reg.KeyExists(kHKLM, "Software\\Vendor\\New"));
  EXPECT_FALSE(reg.DeleteKey(kHKLM, "\\Software"));  // a protected key below stops the whole deletion
  EXPECT_TRUE(reg.KeyExists(kHKLM, "Software\\Vendor\\Product"));
  EXPECT_TRUE(reg.OpenKey(kHKLM, "\\Software\\Other", KeyAccess::Full, true));

  reg.DenyOpen(kHKLM, "Software\\Vendor\\Product");
  EXPECT_FALSE(reg.OpenKey(kHKLM, "\\Software\\Vendor\\Product", KeyAccess::Read, false));

  reg.FailWrites(kHKLM, "Software\\Other");
  auto other = reg.OpenKey(kHKLM, "\\Software\\Other", KeyAccess::Full, false);
  ASSERT_TRUE(other);
  EXPECT_EQ(ErrorOf([&] { other->WriteInteger("Flags", 1); }), "Failed to set data for 'Flags'");
}

TEST(TMemoryRegistry, DeleteKeyTakesTheSubKeysAlong) {
  TMemoryRegistry reg;
  reg.SetString(kHKCU, "Software\\Vendor\\Product\\1.0", "Location", "C:\\P");
  reg.SetString(kHKCU, "Software\\Vendor\\Other", "", "x");
  auto open = reg.OpenKey(kHKCU, "\\Software\\Vendor\\Product\\1.0", KeyAccess::Full, false);
  EXPECT_TRUE(reg.DeleteKey(kHKCU, "\\software\\vendor\\product"));
  EXPECT_FALSE(reg.KeyExists(kHKCU, "Software\\Vendor\\Product\\1.0"));
  EXPECT_EQ(reg.SubKeyNames(kHKCU, "Software\\Vendor"), std::vector<std::string>{"Other"});
  EXPECT_FALSE(reg.DeleteKey(kHKCU, "\\Software\\Vendor\\Product"));
  EXPECT_FALSE(reg.DeleteKey(kHKCU, "\\"));
  // A key deleted while open reads as empty and refuses writes.
  EXPECT_EQ(open->ReadString("Location"), "");
  EXPECT_THROW(open->WriteString("Location", "C:\\Q"), ERegistryException);
  EXPECT_FALSE(reg.KeyExists(kHKCU, "Software\\Vendor\\Product"));
}

TEST(TMemoryRegistry, SubKeysListInCreationOrderOrAsTheTestOrders) {
  TMemoryRegistry reg;
  for (const char* name : {"2.0", "1.5", "10.0"}) reg.AddKey(kHKCU, std::string("Software\\Vendor\\") + name);
  auto key = reg.OpenKey(kHKCU, "\\Software\\Vendor", KeyAccess::Read, false);
  EXPECT_EQ(key->SubKeyNames(), (std::vector<std::string>{"2.0", "1.5", "10.0"}));
  reg.SetSubKeyOrder(kHKCU, "Software\\Vendor", {"10.0", "2.0"});
  EXPECT_EQ(key->SubKeyNames(), (std::vector<std::string>{"10.0", "2.0", "1.5"}));
}

TEST(TMemoryRegistry, DumpShowsEveryKeyAndValue) {
  TMemoryRegistry reg;
  reg.SetString(kHKLM, "Software\\Vendor", "", "default");
  reg.SetInteger(kHKLM, "Software\\Vendor", "Flags", -1);
  reg.AddKey(kHKCU, "Software");
  EXPECT_EQ(reg.Dump(),
            "HKCU\\Software\n"
            "HKLM\\Software\n"
            "HKLM\\Software\\Vendor\n"
            "  @ = \"default\"\n"
            "  Flags = dword:-1\n");
}

}  // namespace
