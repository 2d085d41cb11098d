#include "settings/Options.h"


#include "settings/IniStorage.h"
#include "settings/ResourceString.h"
#include "settings/SettingsText.h"
#include "settings/settings_strings.h"

namespace tessera {
namespace {

constexpr wchar_t kDefaultImageSizes[] = L"1280x720;1280x1024;1600x1200;1920x1080;2560x1440;3840x2160";
constexpr wchar_t kSectionGeneral[] = L"General";

std::vector<std::wstring> SplitDropEmpty(const std::wstring& text) {
  std::vector<std::wstring> pieces;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(L';', start);
    if (end == std::wstring::npos) end = text.size();
    if (end > start) pieces.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

}  // namespace

void AddItemStateValueStrings(TCustomInheritingIntegerOption* _option) {
  _option->AddValueString(stHide, ResString(IDS_STATE_HIDE, L"Don't show"), L"hide");
  _option->AddValueString(stShow, ResString(IDS_STATE_SHOW, L"Show always"), L"show");
  _option->AddValueString(stShowExtended, ResString(IDS_STATE_SHOW_EXTENDED, L"Show only when Shift key is down"),
                          L"extended");
}

std::vector<std::wstring> SplitImageSizes(const std::wstring& _text, bool _validate) {
  std::vector<std::wstring> sizes = SplitDropEmpty(_text);
  if (sizes.empty()) return SplitDropEmpty(kDefaultImageSizes);
  if (_validate) std::erase_if(sizes, [](const std::wstring& s) { return !IsValidImageSize(s); });
  return sizes;
}

bool IsValidImageSize(const std::wstring& _text) {
  size_t x = _text.find(L'x');
  if (x == std::wstring::npos || _text.front() == L'x' || _text.back() == L'x') return false;
  if (_text.find(L' ') != std::wstring::npos) return false;
  int number = 0;
  return settings::TryParseInt32(std::wstring_view(_text).substr(0, x), number) &&
         settings::TryParseInt32(std::wstring_view(_text).substr(x + 1), number);
}

TOptions::TOptions(std::wstring _iniFileName) : FIniFileName(std::move(_iniFileName)) {
  TOptionStore& store = GetOptionStore();
  auto group = [&](const wchar_t* name, std::wstring caption, int indent) {
    TOptionGroup* g = store.NewGroup(name, std::move(caption), indent, 0);
    if (indent > 0) {
      g->SetCanCollapse(true);
      g->SetCollapsed(true);
    }
    store.SetCurrentGroup(g);
  };
  auto state = [&](int defaultValue, const wchar_t* name, unsigned captionId, const wchar_t* caption) {
    TIntegerOption* o = store.CreateIntegerOption(defaultValue, name, ResString(captionId, caption), 0);
    AddItemStateValueStrings(o);
    o->AddOptionListFlags(TOptionFlags{flValueStringsOnly});
    return o;
  };
  const std::wstring options = L" options";

  group(L"FileMenu", L"All files", 0);
  FCopyPathState = state(stShow, L"CopyPathState", IDS_OPT_COPY_PATH, L"Copy path");
  FCopyFileSizeState = state(stShowExtended, L"CopyFileSizeState", IDS_OPT_COPY_SIZE, L"Copy size");
  FFileNoteState = state(stShow, L"FileNoteState", IDS_OPT_FILE_NOTE, L"File note");

  group(L"FileNote", FFileNoteState->GetCaption() + options, 1);
  FFileNoteEditorCommandLine =
      store.CreateStringOption(L"notepad.exe \"%file%\"", L"FileNoteCmdLine", L"Editor command line", 0);
  FFileNoteCreateFile = store.CreateBooleanOption(true, L"FileNoteCreateFile", L"Create empty file", 0);
  FFileNoteHideNoteFile = store.CreateBooleanOption(false, L"FileNoteHideNote", L"Hide note file", 0);

  group(L"ImageFiles", L"Image files", 0);
  FResizeImageState = state(stShow, L"ResizeImageState", IDS_OPT_RESIZE_IMAGE, L"Resize to JPEG");

  group(L"ResizeImageOptions", FResizeImageState->GetCaption() + options, 1);
  FImageFileTypes = store.CreateStringOption(L"jpg;jpeg;bmp;tif;tiff;png;dng;cr2;cr3;webp;heif;psd", L"ImageFiles",
                                             ResString(IDS_OPT_IMAGE_FILES, L"Image files"), 0);
  FImageFileTypes->SetAllowEmpty(false);
  FResizeImageSizes = store.CreateStringOption(kDefaultImageSizes, L"ResizeImageSizes", L"Images sizes", 0);
  FResizeImageSizes->SetAllowEmpty(false);
  FResizeImageRemoveMetadata = store.CreateBooleanOption(false, L"ResizeImageRemoveMetadata", L"Remove metadata", 0);
  FResizeImageParams = store.CreateStringOption(
      L"convert %files% -filter lanczossharp -resize %size%> -colorspace sRGB -quality 90", L"ResizeImageParams",
      L"ImageMagick parameters", 0);

  group(L"FontFiles", L"Font files", 0);
  FInstallFontState = state(stShow, L"InstallFontState", IDS_OPT_INSTALL_FONT, L"Install font");
  FUninstallFontState = state(stShow, L"UninstallFontState", IDS_OPT_UNINSTALL_FONT, L"Uninstall font");
  FLoadFontState = state(stShowExtended, L"LoadFontState", IDS_OPT_LOAD_FONT, L"Load font");
  FUnloadFontState = state(stShowExtended, L"UnloadFontState", IDS_OPT_UNLOAD_FONT, L"Unload font");

  group(L"Folders", L"Folders", 0);
  FSandboxState = state(stHide, L"SandboxState", IDS_OPT_SANDBOX, L"Map to Windows Sandbox");

  group(L"SandboxOptions", FSandboxState->GetCaption() + options, 1);
  FSandboxDirReadOnly = store.CreateBooleanOption(
      true, L"SandboxDirReadOnly", ResString(IDS_OPT_SANDBOX_READ_ONLY, L"Folder is read-only by default"), 0);
  FSandboxTemplateFile = store.CreateStringOption(
      L"SandboxConfig.txt", L"SandboxTemplateFile", ResString(IDS_OPT_SANDBOX_TEMPLATE, L"Configuration file template"), 0);
  FSandboxTemplateFile->AddOptionListFlags(TOptionFlags{flShowEditButton, flPathEllipsis});

  group(L"FolderBackground", L"Folder background", 0);
  FShowFileExtState = state(stShow, L"ShowFileExtState", IDS_OPT_SHOW_FILE_EXT, L"Show file extensions");
  FShowHiddenFilesState = state(stShow, L"ShowHiddenFilesState", IDS_OPT_SHOW_HIDDEN, L"Show hidden files");
  FShowSuperHiddenFilesState =
      state(stShowExtended, L"ShowSuperHiddenFilesState", IDS_OPT_SHOW_SUPER_HIDDEN, L"Show super hidden files");
  FFreshIconsState = state(stShow, L"FreshIconsState", IDS_OPT_FRESH_ICONS, L"Refresh icons");
  FTesseraOptionsState = state(stShow, L"TesseraOptionsState", IDS_OPT_TESSERA_SETTINGS, L"Tessera settings");
}

void TOptions::Load() {
  std::shared_ptr<IOptionStorage> storage = OpenIniStorage(FIniFileName);
  ReadFromStorage(*storage, kSectionGeneral);
}

void TOptions::Save() {
  std::shared_ptr<IOptionStorage> storage = CreateIniStorage(FIniFileName, teUtf8, true);
  std::exception_ptr error;
  try {
    storage->Clear();
    WriteToStorage(*storage, kSectionGeneral);
  } catch (...) {
    error = std::current_exception();
  }
  // The file is written in every case; an error of the writing step is raised afterwards.
  storage->UpdateFile();
  if (error) std::rethrow_exception(error);
}

TItemState TOptions::StateOf(const TIntegerOption* _option) {
  try {
    return static_cast<TItemState>(_option->GetValue() & 0xFF);
  } catch (...) {
    return static_cast<TItemState>(_option->GetDefaultValue() & 0xFF);
  }
}

#define TESSERA_STATE_PROPERTY(Name)                                  \
  TItemState TOptions::Get##Name() const { return StateOf(F##Name); } \
  void TOptions::Set##Name(TItemState _value) { F##Name->SetValue(static_cast<int>(_value)); }
TESSERA_ITEM_STATE_PROPERTIES(TESSERA_STATE_PROPERTY)
#undef TESSERA_STATE_PROPERTY

}  // namespace tessera
