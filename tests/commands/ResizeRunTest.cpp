// "Resize to JPEG" end to end: InvokeResizeImage runs the magick.exe stand-in, which really converts.
#include "support/ResizeFixture.h"

#include "base/Handles.h"
#include "shellutils/Process.h"

#include <wincodec.h>

#include <regex>

namespace tessera::test {
namespace {

constexpr const wchar_t* kLocateMessage =
    L"Failed to locate magick.exe\r\n\r\nTessera needs ImageMagick 7+ to convert images. Visit "
    L"https://imagemagick.org/script/download.php#windows and install free ImageMagick Windows binary (Windows Q16 "
    L"DLL).\r\n\r\nIf you already have the latest ImageMagick installed then make sure its directory is added to "
    L"system PATH. You can fix that manually or by re-installing ImageMagick.";

class ResizeRun : public ResizeFixture {};

TEST_F(ResizeRun, ConvertsBesideTheSourcesWithMagickFromRegistryOrPath) {
  enum TRegistryExtra { reNone, reTrailingBackslash, reFolderWithoutMagick };
  const struct {
    TMagickSource source;
    TRegistryExtra extra;
    const char* name;
  } sources[] = {{TMagickSource::Registry64, reNone, "64-bit registry view"},
                 {TMagickSource::Registry32, reTrailingBackslash, "32-bit registry view, BinPath ending in \\"},
                 {TMagickSource::Path, reNone, "PATH"},
                 {TMagickSource::Path, reFolderWithoutMagick, "PATH, registry naming a folder without magick.exe"}};
  for (const auto& s : sources) {
    SCOPED_TRACE(s.name);
    ImageMagickRegistry cleanRegistry;
    ScopedEnvironment cleanPath(L"PATH", SystemOnlyPath());
    TempFolder folder;
    ::DeleteFileW(logFile().c_str());
    if (s.extra == reTrailingBackslash)
      registry.SetBinPath(KEY_WOW64_32KEY, MagickFolder(7) + L"\\");
    else
      UseMagick(7, s.source);
    if (s.extra == reFolderWithoutMagick) registry.SetBinPath(KEY_WOW64_64KEY, logs.dir(L"no magick here"));
    const std::wstring a = folder.file(L"a.png");
    WriteTestImage(a, GUID_ContainerFormatPng, {{800, 600, RGB(200, 40, 40)}});
    const std::wstring b = folder.file(L"b c\\b.bmp");
    WriteTestImage(b, GUID_ContainerFormatBmp, {{300, 400, RGB(30, 60, 220)}});

    EXPECT_EQ(ErrorOf([&] { InvokeResizeImage({a, b}, Params(L"400x300", true), false, nullptr); }), std::nullopt);

    ExpectJpeg(folder.path() + L"a_400.jpg", 400, 300, RGB(200, 40, 40));
    ExpectJpeg(folder.path() + L"b c\\b_400.jpg", 225, 300, RGB(30, 60, 220));
    EXPECT_EQ(FolderEntries(folder.dir(L"")), (std::vector<std::wstring>{L"a.png", L"a_400.jpg", L"b c"}));
    EXPECT_EQ(FolderEntries(folder.dir(L"b c")), (std::vector<std::wstring>{L"b.bmp", L"b_400.jpg"}));

    const std::wstring responseName = LoggedResponseName();
    EXPECT_TRUE(std::regex_match(WideToUtf8(responseName), std::regex("ves[0-9A-Fa-f]{1,4}\\.tmp")))
        << WideToUtf8(responseName);
    EXPECT_EQ(LoggedLine(0), L"\"" + MagickExe(7) + L"\" convert  @" + responseName +
                                 L"  -filter lanczossharp -resize 400x300> -colorspace sRGB -quality 90 -strip "
                                 L"-set filename:f \"%d\\\\%t_400\" \"%[filename:f].jpg\"");
    // magick.exe ran in the response file's folder; the response file was UTF-8 without mark, CR LF.
    EXPECT_TRUE(SameTextAscii(LoggedLine(1), temp.path().substr(0, temp.path().size() - 1)))
        << WideToUtf8(LoggedLine(1));
    EXPECT_EQ(LoggedResponseFile(), WideToUtf8(L"\"" + a + L"[0]\"\r\n\"" + b + L"[0]\"\r\n"));
    ExpectNoTraces();
  }
}

TEST_F(ResizeRun, WithoutImageMagick7TheLocateMessageIsGiven) {
  const struct {
    const char* name;
    std::optional<TMagickSource> six, seven;
  } cases[] = {
      {"6 in the 64-bit registry view, 7 on PATH", TMagickSource::Registry64, TMagickSource::Path},
      {"6 in the 32-bit registry view, 7 on PATH", TMagickSource::Registry32, TMagickSource::Path},
      {"6 on PATH", TMagickSource::Path, std::nullopt},
      {"none at all", std::nullopt, std::nullopt},
  };
  const std::wstring a = Image(L"a.png", 80, 60);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ImageMagickRegistry cleanRegistry;
    ScopedEnvironment cleanPath(L"PATH", SystemOnlyPath());
    ::DeleteFileW(logFile().c_str());
    if (c.seven) UseMagick(7, *c.seven);
    if (c.six) UseMagick(6, *c.six);
    EXPECT_EQ(ErrorOf([&] { InvokeResizeImage({a}, Params(L"40x30"), false, nullptr); }), kLocateMessage);
    EXPECT_FALSE(MagickRan());
    EXPECT_EQ(FolderEntries(images.dir(L"")), std::vector<std::wstring>{L"a.png"});
    ExpectNoTraces();
  }
}

TEST_F(ResizeRun, AnEmptySizeIsAnInternalError) {
  UseMagick(7, TMagickSource::Registry64);
  const std::wstring a = Image(L"a.png", 80, 60);
  EXPECT_EQ(ErrorOf([&] { InvokeResizeImage({a}, Params(L""), false, nullptr); }),
            L"Internal error. No image size specified.");
  EXPECT_FALSE(MagickRan());
  ExpectNoTraces();
}

TEST_F(ResizeRun, AnUnusableTemporaryFolderStopsBeforeImageMagickRuns) {
  UseMagick(7, TMagickSource::Registry64);
  const std::wstring a = Image(L"a.png", 80, 60);
  ScopedEnvironment missingTmp(L"TMP", temp.path() + L"missing\\");
  ScopedEnvironment missingTemp(L"TEMP", temp.path() + L"missing\\");
  EXPECT_EQ(ErrorOf([&] { InvokeResizeImage({a}, Params(L"40x30"), false, nullptr); }),
            L"Failed to change working directory.");
  EXPECT_FALSE(MagickRan());
  EXPECT_EQ(FolderEntries(images.dir(L"")), std::vector<std::wstring>{L"a.png"});
  ExpectNoTraces();
}

TEST_F(ResizeRun, AFailingImageMagickIsReportedWithItsExitCode) {
  UseMagick(7, TMagickSource::Registry64);
  const struct {
    const char* name;
    const wchar_t* argumentTemplate;
    bool missingSource;
    std::vector<std::wstring> left;  // what the images folder holds afterwards
  } cases[] = {
      {"template without %files%", L"convert -resize %size%>", false, {L"a.png"}},
      {"option ImageMagick does not know", L"convert %files% -sharpen-a-lot -resize %size%>", false, {L"a.png"}},
      // ImageMagick goes on with the other files; what it wrote stays.
      {"a selected file vanished", kDefaultResizeTemplate, true, {L"a.png", L"a_40.jpg"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const std::wstring a = folder.file(L"a.png");
    WriteTestImage(a, GUID_ContainerFormatPng, {{80, 60, RGB(0, 128, 0)}});
    std::vector<std::wstring> files{a};
    if (c.missingSource) files.insert(files.begin(), folder.path() + L"gone.png");
    ::DeleteFileW(logFile().c_str());
    EXPECT_EQ(ErrorOf([&] { InvokeResizeImage(files, Params(L"40x30", false, c.argumentTemplate), false, nullptr); }),
              L"ImageMagick indicated failure by returning exit code 1.");
    EXPECT_TRUE(MagickRan());
    EXPECT_EQ(FolderEntries(folder.dir(L"")), c.left);
    ExpectNoTraces();
  }
}

TEST_F(ResizeRun, AMagickThatCannotStartIsReportedWithTheCommandLine) {
  // A copy of the stand-in marked for a machine that does not exist: its version resource still reads.
  std::string exe = TempFolder::ReadBytes(MagickExe(7));
  ASSERT_GT(exe.size(), 0x200u);
  const size_t peHeader = static_cast<unsigned char>(exe[0x3C]) | static_cast<unsigned char>(exe[0x3D]) << 8;
  ASSERT_EQ(exe.substr(peHeader, 4), std::string("PE\0\0", 4));
  exe[peHeader + 4] = 0x34;
  exe[peHeader + 5] = 0x12;
  const std::wstring broken = images.file(L"broken\\magick.exe", exe);
  registry.SetBinPath(KEY_WOW64_64KEY, images.dir(L"broken"));
  const std::wstring a = Image(L"a.png", 80, 60);

  const std::optional<std::wstring> error =
      ErrorOf([&] { InvokeResizeImage({a}, Params(L"40x30"), false, nullptr); });
  ASSERT_TRUE(error.has_value());
  const std::wstring head = L"Failed to launch \"\"" + broken + L"\" convert  @ves";
  const std::wstring middle = L"  -filter lanczossharp -resize 40x30> -colorspace sRGB -quality 90 -set filename:f "
                              L"\"%d\\\\%t_40\" \"%[filename:f].jpg\"\"\r\n\r\n";
  EXPECT_EQ(error->substr(0, head.size()), head) << WideToUtf8(*error);
  const size_t at = error->find(middle);
  ASSERT_NE(at, std::wstring::npos) << WideToUtf8(*error);
  EXPECT_GT(error->size(), at + middle.size()) << "no system message";  // the system's reason follows
  EXPECT_FALSE(MagickRan());
  ExpectNoTraces();
}

TEST_F(ResizeRun, AwkwardPathsConvertBesideTheirSources) {
  UseMagick(7, TMagickSource::Registry64);
  // A folder chain that takes the full path past MAX_PATH.
  std::wstring deep;
  while (images.path().size() + deep.size() < 300) deep += L"a rather long folder name for paths\\";
  ScopeExit removeDeep([&] { DeleteLongTree(images.path() + deep.substr(0, deep.find(L'\\'))); });
  const std::wstring cases[] = {
      L"with blanks\\my picture.png",
      L"Tom & Jerry's (copy)\\a;b,c.png",
      L"100% off\\a.png",
      L"50%dogs\\x%d.png",
      L"a%%b\\a.png",
      L"c%[x]\\a.png",
      L"\u0424\u043E\u0442\u043E \u5199\u771F \u00F1\\\u00E9t\u00E9.png",
      L"[brackets] {braces} ~tilde\\pic [1].png",
      deep + L"long.png",
  };
  for (const std::wstring& relative : cases) {
    SCOPED_TRACE(WideToUtf8(relative));
    const std::wstring source = images.path() + relative;
    const std::wstring folder = source.substr(0, source.rfind(L'\\'));
    const std::wstring base = source.substr(folder.size() + 1, source.size() - folder.size() - 5);
    CreateLongFolders(folder);
    WriteTestImage(source, GUID_ContainerFormatPng, {{160, 120, RGB(250, 200, 0)}});
    EXPECT_EQ(ErrorOf([&] { InvokeResizeImage({source}, Params(L"80x80"), false, nullptr); }), std::nullopt);
    ExpectJpeg(folder + L"\\" + base + L"_80.jpg", 80, 60, RGB(250, 200, 0));
    EXPECT_EQ(FolderEntries(folder).size(), 2u);
    ExpectNoTraces();
  }
}

TEST_F(ResizeRun, OnlyTheFirstFrameOfAMultiFrameImageIsConverted) {
  UseMagick(7, TMagickSource::Registry64);
  const std::wstring pages = images.file(L"pages.tif");
  WriteTestImage(pages, GUID_ContainerFormatTiff, {{800, 600, RGB(255, 0, 0)}, {300, 900, RGB(0, 0, 255)}});
  ASSERT_EQ(ReadImageFacts(pages)->Frames, 2u);
  EXPECT_EQ(ErrorOf([&] { InvokeResizeImage({pages}, Params(L"400x300"), false, nullptr); }), std::nullopt);
  ExpectJpeg(images.path() + L"pages_400.jpg", 400, 300, RGB(255, 0, 0));
  EXPECT_EQ(FolderEntries(images.dir(L"")), (std::vector<std::wstring>{L"pages.tif", L"pages_400.jpg"}));
}

TEST_F(ResizeRun, TheSizeEntryGivesSizeAndNameTag) {
  UseMagick(7, TMagickSource::Path);
  const struct {
    const wchar_t* size;
    const wchar_t* argumentTemplate;
    const wchar_t* output;
    unsigned width, height;
  } cases[] = {
      {L"400x400", kDefaultResizeTemplate, L"a_400.jpg", 400, 300},
      {L"50%", kDefaultResizeTemplate, L"a_resized.jpg", 400, 300},
      {L"x150", kDefaultResizeTemplate, L"a_resized.jpg", 200, 150},
      {L"1600x1200", kDefaultResizeTemplate, L"a_1600.jpg", 800, 600},  // > only shrinks
      {L"200x200", L"convert %FILES% -resize %SIZE% -quality 70", L"a_200.jpg", 200, 150},
      {L"200x200", L"convert %files% -quality 70", L"a_200.jpg", 800, 600},  // no %size%: no resize
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.size) + " " + WideToUtf8(c.argumentTemplate));
    TempFolder folder;
    const std::wstring a = folder.file(L"a.png");
    WriteTestImage(a, GUID_ContainerFormatPng, {{800, 600, RGB(90, 90, 90)}});
    EXPECT_EQ(ErrorOf([&] { InvokeResizeImage({a}, Params(c.size, false, c.argumentTemplate), false, nullptr); }),
              std::nullopt);
    ExpectJpeg(folder.path() + c.output, c.width, c.height);
    EXPECT_EQ(FolderEntries(folder.dir(L"")).size(), 2u);
  }
}

TEST_F(ResizeRun, AnEmptySelectionDoesNothing) {
  UseMagick(7, TMagickSource::Registry64);
  EXPECT_EQ(ErrorOf([&] { InvokeResizeImage({}, Params(L"800x600"), true, nullptr); }), std::nullopt);
  EXPECT_FALSE(MagickRan());
  ExpectNoTraces();
}

// The stand-in splits response files as ImageMagick does: whatever follows a closing quote is lost. A line
// written as "file"[0] therefore reads every frame, and both frames go to the same output name (the last
// one stays), which is why the selector belongs inside the quotes.
TEST_F(ResizeRun, StandInDropsASelectorOutsideTheQuotes) {
  const std::wstring pages = images.file(L"pages.tif");
  WriteTestImage(pages, GUID_ContainerFormatTiff, {{800, 600, RGB(255, 0, 0)}, {300, 900, RGB(0, 0, 255)}});
  const struct {
    const char* line;
    unsigned width, height;
  } cases[] = {{"\"%s[0]\"\r\n", 400, 300}, {"\"%s\"[0]\r\n", 100, 300}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    char line[1024];
    snprintf(line, sizeof line, c.line, WideToUtf8(pages).c_str());
    const std::wstring list = temp.file(L"list.rsp", line);
    const std::wstring commandLine = L"\"" + MagickExe(7) +
                                     L"\" convert @list.rsp -resize 400x300> -set filename:f \"%d\\\\%t_out\" "
                                     L"\"%[filename:f].jpg\"";
    DWORD exitCode = 99;
    ASSERT_EQ(RunProcess(commandLine, true, SW_SHOWMINNOACTIVE, exitCode, temp.path()), rpOk);
    EXPECT_EQ(exitCode, 0u);
    ExpectJpeg(images.path() + L"pages_out.jpg", c.width, c.height);
    ::DeleteFileW(list.c_str());
    ::DeleteFileW((images.path() + L"pages_out.jpg").c_str());
  }
}

}  // namespace
}  // namespace tessera::test
