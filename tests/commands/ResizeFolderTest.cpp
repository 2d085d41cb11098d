// "Resize to JPEG" with Ctrl held: the results go to a folder the user picks in the folder dialog.
#include "support/ResizeFixture.h"

#include <wincodec.h>

namespace tessera::test {
namespace {

constexpr const wchar_t* kDialogTitle = L"Select folder for converted images:";

class ResizeFolder : public ResizeFixture {};

TEST_F(ResizeFolder, ResultsGoIntoTheChosenFolder) {
  UseMagick(7, TMagickSource::Registry64);
  const std::wstring a = Image(L"photos\\a.png", 800, 600, GUID_ContainerFormatPng, RGB(10, 160, 10));
  const std::wstring b = Image(L"photos\\more\\b.bmp", 600, 800, GUID_ContainerFormatBmp, RGB(160, 10, 160));
  // All folders exist before the first dialog: Wine's dialog does not see folders made after it looked.
  const std::vector<std::wstring> names{L"chosen", L"chosen 50%d & co"};
  for (const std::wstring& name : names) images.dir(name);
  for (const std::wstring& name : names) {
    SCOPED_TRACE(WideToUtf8(name));
    const std::wstring chosen = images.dir(name);
    ::DeleteFileW(logFile().c_str());
    {
      FolderDialogDriver driver(kDialogTitle, chosen);
      EXPECT_EQ(ErrorOf([&] { InvokeResizeImage({a, b}, Params(L"1024x768"), true, nullptr); }), std::nullopt);
      EXPECT_TRUE(driver.answered());
    }
    ExpectJpeg(chosen + L"\\a_1024.jpg", 800, 600, RGB(10, 160, 10));  // > leaves smaller images alone
    ExpectJpeg(chosen + L"\\b_1024.jpg", 576, 768, RGB(160, 10, 160));
    EXPECT_EQ(FolderEntries(chosen), (std::vector<std::wstring>{L"a_1024.jpg", L"b_1024.jpg"}));
    EXPECT_EQ(FolderEntries(images.dir(L"photos")), (std::vector<std::wstring>{L"a.png", L"more"}));
    std::wstring escaped;
    for (wchar_t c : chosen) escaped += c == L'%' ? std::wstring(L"%%") : std::wstring(1, c);
    const std::wstring ending = L"-quality 90 -set filename:f \"%t_1024\" \"" + escaped + L"\\%[filename:f].jpg\"";
    const std::wstring line = LoggedLine(0);
    ASSERT_GE(line.size(), ending.size());
    EXPECT_EQ(line.substr(line.size() - ending.size()), ending) << WideToUtf8(line);
    ExpectNoTraces();
  }
}

TEST_F(ResizeFolder, CancellingTheDialogConvertsNothing) {
  UseMagick(7, TMagickSource::Registry64);
  const std::wstring a = Image(L"a.png", 800, 600);
  {
    FolderDialogDriver driver(kDialogTitle, L"");
    EXPECT_EQ(ErrorOf([&] { InvokeResizeImage({a}, Params(L"400x300"), true, nullptr); }), std::nullopt);
    EXPECT_TRUE(driver.answered());
  }
  EXPECT_FALSE(MagickRan());
  EXPECT_EQ(FolderEntries(images.dir(L"")), std::vector<std::wstring>{L"a.png"});
  ExpectNoTraces();
}

}  // namespace
}  // namespace tessera::test
