#include "settings/Options.h"

#include "base/ResourceString.h"
#include "base/StringUtils.h"
#include "settings/IniStorage.h"
#include "settings/settings_strings.h"

namespace tessera {
namespace {

constexpr wchar_t kDefaultImageSizes[] = L"1280x720;1280x1024;1600x1200;1920x1080;2560x1440;3840x2160";
constexpr wchar_t kSectionGeneral[] = L"General";

}  // namespace

void AddItemStateValueStrings(TCustomInheritingIntegerOption* _option) {
  _option->AddValueString(stHide, ResString(IDS_STATE_HIDE), L"hide");
  _option->AddValueString(stShow, ResString(IDS_STATE_SHOW), L"show");
  _option->AddValueString(stShowExtended, ResString(IDS_STATE_SHOW_EXTENDED),
                          L"extended");
}

std::vector<std::wstring> SplitImageSizes(const std::wstring& _text, bool _validate) {
  std::vector<std::wstring> sizes = SplitText(_text, L';', true);
  if (sizes.empty()) return SplitText(kDefaultImageSizes, L';', true);
  if (_validate) std::erase_if(sizes, [](const std::wstring& s) { return !IsValidImageSize(s); });
  return sizes;
}

bool IsValidImageSize(const std::wstring& _text) {
  size_t x = _text.find(L'x');
  if (x == std::wstring::npos || _text.front() == L'x' || _text.back() == L'x') return false;
  if (_text.find(L' ') != std::wstring::npos) return false;
  int number = 0;
  return TryParseInt32(std::wstring_view(_text).substr(0, x), number) &&
         TryParseInt32(std::wstring_view(_text).substr(x + 1), number);
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
  // The options of an item: "<the item's caption> options".
  auto optionsOf = [](const TIntegerOption* item) { return FormatText(TResText{IDS_GROUP_OPTIONS_OF}, item->GetCaption().c_str()); };
  auto state = [&](int defaultValue, const wchar_t* name, unsigned captionId) {
    TIntegerOption* o = store.CreateIntegerOption(defaultValue, name, ResString(captionId), 0);
    AddItemStateValueStrings(o);
    o->AddOptionListFlags(TOptionFlags{flValueStringsOnly});
    return o;
  };

  group(L"FileMenu", ResString(IDS_GROUP_ALL_FILES), 0);
  FCopyPathState = state(stShow, L"CopyPathState", IDS_OPT_COPY_PATH);
  FCopyFileSizeState = state(stShowExtended, L"CopyFileSizeState", IDS_OPT_COPY_SIZE);
  FFileNoteState = state(stShow, L"FileNoteState", IDS_OPT_FILE_NOTE);

  group(L"FileNote", optionsOf(FFileNoteState), 1);
  FFileNoteEditorCommandLine =
      store.CreateStringOption(L"notepad.exe \"%file%\"", L"FileNoteCmdLine", ResString(IDS_OPT_EDITOR_COMMAND_LINE), 0);
  FFileNoteCreateFile = store.CreateBooleanOption(true, L"FileNoteCreateFile", ResString(IDS_OPT_CREATE_EMPTY_FILE), 0);
  FFileNoteHideNoteFile = store.CreateBooleanOption(false, L"FileNoteHideNote", ResString(IDS_OPT_HIDE_NOTE_FILE), 0);

  group(L"ImageFiles", ResString(IDS_GROUP_IMAGE_FILES), 0);
  FResizeImageState = state(stShow, L"ResizeImageState", IDS_OPT_RESIZE_IMAGE);

  group(L"ResizeImageOptions", optionsOf(FResizeImageState), 1);
  FImageFileTypes = store.CreateStringOption(L"jpg;jpeg;bmp;tif;tiff;png;dng;cr2;cr3;webp;heif;psd", L"ImageFiles",
                                             ResString(IDS_OPT_IMAGE_FILES), 0);
  FImageFileTypes->SetAllowEmpty(false);
  FResizeImageSizes = store.CreateStringOption(kDefaultImageSizes, L"ResizeImageSizes", ResString(IDS_OPT_IMAGE_SIZES), 0);
  FResizeImageSizes->SetAllowEmpty(false);
  FResizeImageRemoveMetadata =
      store.CreateBooleanOption(false, L"ResizeImageRemoveMetadata", ResString(IDS_OPT_REMOVE_METADATA), 0);
  FResizeImageParams = store.CreateStringOption(
      L"convert %files% -filter lanczossharp -resize %size%> -colorspace sRGB -quality 90", L"ResizeImageParams",
      ResString(IDS_OPT_IMAGEMAGICK_PARAMETERS), 0);

  group(L"FontFiles", ResString(IDS_GROUP_FONT_FILES), 0);
  FInstallFontState = state(stShow, L"InstallFontState", IDS_OPT_INSTALL_FONT);
  FUninstallFontState = state(stShow, L"UninstallFontState", IDS_OPT_UNINSTALL_FONT);
  FLoadFontState = state(stShowExtended, L"LoadFontState", IDS_OPT_LOAD_FONT);
  FUnloadFontState = state(stShowExtended, L"UnloadFontState", IDS_OPT_UNLOAD_FONT);

  group(L"Folders", ResString(IDS_GROUP_FOLDERS), 0);
  FSandboxState = state(stHide, L"SandboxState", IDS_OPT_SANDBOX);

  group(L"SandboxOptions", optionsOf(FSandboxState), 1);
  FSandboxDirReadOnly =
      store.CreateBooleanOption(true, L"SandboxDirReadOnly", ResString(IDS_OPT_SANDBOX_READ_ONLY), 0);
  FSandboxTemplateFile = store.CreateStringOption(L"SandboxConfig.txt", L"SandboxTemplateFile",
                                                  ResString(IDS_OPT_SANDBOX_TEMPLATE), 0);
  FSandboxTemplateFile->AddOptionListFlags(TOptionFlags{flShowEditButton, flPathEllipsis});

  group(L"FolderBackground", ResString(IDS_GROUP_FOLDER_BACKGROUND), 0);
  FShowFileExtState = state(stShow, L"ShowFileExtState", IDS_OPT_SHOW_FILE_EXT);
  FShowHiddenFilesState = state(stShow, L"ShowHiddenFilesState", IDS_OPT_SHOW_HIDDEN);
  FShowSuperHiddenFilesState = state(stShowExtended, L"ShowSuperHiddenFilesState", IDS_OPT_SHOW_SUPER_HIDDEN);
  FFreshIconsState = state(stShow, L"FreshIconsState", IDS_OPT_FRESH_ICONS);
  FTesseraOptionsState = state(stShow, L"TesseraOptionsState", IDS_OPT_TESSERA_SETTINGS);
}

void TOptions::Load() {
  std::shared_ptr<IOptionStorage> storage = OpenIniStorage(FIniFileName);
  ReadFromStorage(*storage, kSectionGeneral);
}

void TOptions::LoadFromBytes(std::string_view _bytes) {
  std::shared_ptr<IOptionStorage> storage = OpenIniStorageFromBytes(FIniFileName, _bytes);
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
