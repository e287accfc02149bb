// COM for the whole suite, as the setup program sets it up at start-up:
// apartment-threaded on the thread that runs the tests.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

namespace {

class TComEnvironment : public testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
  void TearDown() override { CoUninitialize(); }
};

testing::Environment* const kComEnvironment = testing::AddGlobalTestEnvironment(new TComEnvironment);

}  // namespace
