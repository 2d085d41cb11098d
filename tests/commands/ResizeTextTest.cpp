// The texts "Resize to JPEG" hands to ImageMagick: name tags, arguments, command line, response file.
#include "commands/ResizeImage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessera {
namespace {

constexpr const wchar_t* kTemplate =
    L"convert %files% -filter lanczossharp -resize %size%> -colorspace sRGB -quality 90";
constexpr const wchar_t* kMagick = L"C:\\Program Files\\ImageMagick-7\\magick.exe";

TEST(ResizeText, NameTagIsTheWidthOrResized) {
  const struct {
    const wchar_t* size;
    const wchar_t* tag;
  } cases[] = {
      {L"800x600", L"800"}, {L"1920x1080", L"1920"}, {L"1280X720", L"1280"}, {L"50%", L"resized"},
      {L"x600", L"resized"}, {L"X600", L"resized"}, {L"800", L"resized"},   {L"", L"resized"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ResizeImageNameTag(c.size), c.tag) << "size " << testing::PrintToString(std::wstring(c.size));
  }
}

TEST(ResizeText, StripIsAddedOnlyWhenNoStripOptionIsThere) {
  const struct {
    const wchar_t* argumentTemplate;
    bool removeMetadata;
    const wchar_t* expected;
  } cases[] = {
      {L"convert %files% -quality 90", true, L"convert %files% -quality 90 -strip"},
      {L"convert %files% -quality 90", false, L"convert %files% -quality 90"},
      {L"convert %files% -strip -quality 90", true, L"convert %files% -strip -quality 90"},
      {L"convert %files% +strip", true, L"convert %files% +strip"},
      {L"convert %files% -STRIP", true, L"convert %files% -STRIP -strip"},  // the test is case-exact
      {L"", true, L" -strip"},
  };
  for (const auto& c : cases) {
    TInvokeResizeImageParams params;
    params.ImageSize = L"800x600";
    params.RemoveMetadata = c.removeMetadata;
    params.ImageMagickParams = c.argumentTemplate;
    EXPECT_EQ(ResizeImageArguments(params), c.expected);
  }
}

TEST(ResizeText, CommandLineWritesBesideTheSources) {
  EXPECT_EQ(BuildImageMagickCommandLine(kMagick, L"ves1F3A.tmp", L"", L"1920x1080",
                                        std::wstring(kTemplate) + L" -strip"),
            L"\"C:\\Program Files\\ImageMagick-7\\magick.exe\" convert  @ves1F3A.tmp  -filter lanczossharp "
            L"-resize 1920x1080> -colorspace sRGB -quality 90 -strip -set filename:f \"%d\\\\%t_1920\" "
            L"\"%[filename:f].jpg\"");
}

TEST(ResizeText, CommandLineWritesIntoTheChosenFolder) {
  const struct {
    const wchar_t* folder;
    const wchar_t* ending;
  } cases[] = {
      {L"D:\\Out", L"-strip -set filename:f \"%t_1920\" \"D:\\Out\\%[filename:f].jpg\""},
      {L"D:\\", L"-strip -set filename:f \"%t_1920\" \"D:\\%[filename:f].jpg\""},
      {L"D:\\Out\\", L"-strip -set filename:f \"%t_1920\" \"D:\\Out\\%[filename:f].jpg\""},
      // ImageMagick reads %d, %[...] in an output name as patterns; %% is its literal percent sign.
      {L"D:\\50%done & more", L"-strip -set filename:f \"%t_1920\" \"D:\\50%%done & more\\%[filename:f].jpg\""},
  };
  for (const auto& c : cases) {
    std::wstring line = BuildImageMagickCommandLine(kMagick, L"ves1F3A.tmp", c.folder, L"1920x1080",
                                                    std::wstring(kTemplate) + L" -strip");
    std::wstring ending = c.ending;
    ASSERT_GE(line.size(), ending.size());
    EXPECT_EQ(line.substr(line.size() - ending.size()), ending) << testing::PrintToString(line);
    EXPECT_EQ(line.find(L"\"C:\\Program Files\\ImageMagick-7\\magick.exe\" convert  @ves1F3A.tmp  -filter"), 0u);
  }
}

TEST(ResizeText, PlaceholdersAreReplacedInAnyCase) {
  const struct {
    const wchar_t* argumentTemplate;
    const wchar_t* size;
    const wchar_t* expected;
  } cases[] = {
      {L"convert %FILES% -resize %SIZE%", L"800x600",
       L"\"m.exe\" convert  @r.tmp  -resize 800x600 -set filename:f \"%d\\\\%t_800\" \"%[filename:f].jpg\""},
      {L"%Files% %Size% %size%", L"50%",
       L"\"m.exe\"  @r.tmp  50% 50% -set filename:f \"%d\\\\%t_resized\" \"%[filename:f].jpg\""},
      // Without %files% no response file is named at all.
      {L"convert -resize %size%", L"x600",
       L"\"m.exe\" convert -resize x600 -set filename:f \"%d\\\\%t_resized\" \"%[filename:f].jpg\""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(BuildImageMagickCommandLine(L"m.exe", L"r.tmp", L"", c.size, c.argumentTemplate), c.expected);
}

TEST(ResizeText, ResponseFileQuotesEachPathWithItsFrameSelector) {
  EXPECT_EQ(BuildResponseFileText({L"C:\\Photos\\a.jpg", L"C:\\My Photos\\b.png"}),
            L"\"C:\\Photos\\a.jpg[0]\"\r\n\"C:\\My Photos\\b.png[0]\"\r\n");
  EXPECT_EQ(BuildResponseFileText({}), L"");
  // With a frame selector ImageMagick reads an input name as a sequence pattern, so % is doubled.
  EXPECT_EQ(BuildResponseFileText({L"C:\\100% off\\a%d.png"}), L"\"C:\\100%% off\\a%%d.png[0]\"\r\n");
}

}  // namespace
}  // namespace tessera
