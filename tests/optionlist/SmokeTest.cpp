#include "OptionListFixture.h"

namespace tessera::test {
namespace {

TEST_F(OptionListTest, Smoke) {
  EXPECT_EQ(List().SelectedOption(), FSample.ShowIcons);
  EXPECT_EQ(::GetFocus(), Edit());
  EXPECT_EQ(TextOf(Edit()), L"Yes");
  Keys({VK_DOWN});
  Pump();
  EXPECT_EQ(List().SelectedOption(), FSample.CopyPath);
  Keys({VK_DOWN});
  Pump();
  EXPECT_EQ(List().SelectedOption(), FSample.Title);
  Type(L"Hello");
  Pump();
  Keys({VK_RETURN});
  Pump();
  EXPECT_EQ(FSample.Title->GetValue(), L"Hello");
}

}  // namespace
}  // namespace tessera::test
