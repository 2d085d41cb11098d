// The product's settings: the table of groups and options that both deliverables share, with typed
// getters and setters, Load and Save, and the image-size helpers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/ProgramOptions.h"

namespace tessera {

enum TItemState : int { stHide = 0, stShow = 1, stShowExtended = 2 };

// Adds the three item states as the value strings of a whole-number option.
void AddItemStateValueStrings(TCustomInheritingIntegerOption* _option);

// The size list split at ";" (empty pieces dropped); the default sizes when nothing remains; with
// _validate, pieces that are not a valid size are dropped (which may leave the list empty).
std::vector<std::wstring> SplitImageSizes(const std::wstring& _text, bool _validate);
// "1920x1080": a lower-case x inside, no blank, whole numbers on both sides.
bool IsValidImageSize(const std::wstring& _text);

// The item-state properties, each backed by the option F<Name>: one list for declarations and definitions.
#define TESSERA_ITEM_STATE_PROPERTIES(X) \
  X(CopyPathState)                       \
  X(CopyFileSizeState)                   \
  X(FileNoteState)                       \
  X(ResizeImageState)                    \
  X(InstallFontState)                    \
  X(UninstallFontState)                  \
  X(LoadFontState)                       \
  X(UnloadFontState)                     \
  X(SandboxState)                        \
  X(ShowFileExtState)                    \
  X(ShowHiddenFilesState)                \
  X(ShowSuperHiddenFilesState)           \
  X(FreshIconsState)                     \
  X(TesseraOptionsState)

class TOptions : public TProgramOptions {
public:
  explicit TOptions(std::wstring _iniFileName);

  // Reads the settings file; errors opening it propagate, errors of one option leave its default.
  void Load() override;
  // Reads the settings from the file's bytes, read before (the settings file itself is not opened).
  void LoadFromBytes(std::string_view _bytes);
  // Writes every setting that differs from its default (a ".bak" copy of the old file is made first).
  void Save() override;

  const std::wstring& GetIniFileName() const noexcept { return FIniFileName; }

#define TESSERA_STATE_PROPERTY(Name) \
  TItemState Get##Name() const;      \
  void Set##Name(TItemState _value);
  TESSERA_ITEM_STATE_PROPERTIES(TESSERA_STATE_PROPERTY)
#undef TESSERA_STATE_PROPERTY

  std::wstring GetFileNoteEditorCommandLine() const { return FFileNoteEditorCommandLine->GetValue(); }
  void SetFileNoteEditorCommandLine(const std::wstring& _value) { FFileNoteEditorCommandLine->SetValue(_value); }
  bool GetFileNoteCreateFile() const { return FFileNoteCreateFile->GetValue(); }
  void SetFileNoteCreateFile(bool _value) { FFileNoteCreateFile->SetValue(_value); }
  bool GetFileNoteHideNoteFile() const { return FFileNoteHideNoteFile->GetValue(); }
  void SetFileNoteHideNoteFile(bool _value) { FFileNoteHideNoteFile->SetValue(_value); }
  std::wstring GetImageFileTypes() const { return FImageFileTypes->GetValue(); }
  void SetImageFileTypes(const std::wstring& _value) { FImageFileTypes->SetValue(_value); }
  std::wstring GetResizeImageSizes() const { return FResizeImageSizes->GetValue(); }
  void SetResizeImageSizes(const std::wstring& _value) { FResizeImageSizes->SetValue(_value); }
  bool GetResizeImageRemoveMetadata() const { return FResizeImageRemoveMetadata->GetValue(); }
  void SetResizeImageRemoveMetadata(bool _value) { FResizeImageRemoveMetadata->SetValue(_value); }
  std::wstring GetResizeImageParams() const { return FResizeImageParams->GetValue(); }
  void SetResizeImageParams(const std::wstring& _value) { FResizeImageParams->SetValue(_value); }
  bool GetSandboxDirReadOnly() const { return FSandboxDirReadOnly->GetValue(); }
  void SetSandboxDirReadOnly(bool _value) { FSandboxDirReadOnly->SetValue(_value); }
  std::wstring GetSandboxTemplateFile() const { return FSandboxTemplateFile->GetValue(); }
  void SetSandboxTemplateFile(const std::wstring& _value) { FSandboxTemplateFile->SetValue(_value); }

  TOptionStore& OptionStore() noexcept { return GetOptionStore(); }

private:
  static TItemState StateOf(const TIntegerOption* _option);

  std::wstring FIniFileName;
  // Owned by the option store.
  TIntegerOption* FCopyPathState;
  TIntegerOption* FFileNoteState;
  TStringOption* FFileNoteEditorCommandLine;
  TBooleanOption* FFileNoteCreateFile;
  TBooleanOption* FFileNoteHideNoteFile;
  TIntegerOption* FShowFileExtState;
  TIntegerOption* FShowHiddenFilesState;
  TIntegerOption* FShowSuperHiddenFilesState;
  TIntegerOption* FFreshIconsState;
  TIntegerOption* FInstallFontState;
  TIntegerOption* FUninstallFontState;
  TIntegerOption* FLoadFontState;
  TIntegerOption* FUnloadFontState;
  TIntegerOption* FTesseraOptionsState;
  TIntegerOption* FResizeImageState;
  TStringOption* FResizeImageSizes;
  TStringOption* FResizeImageParams;
  TBooleanOption* FResizeImageRemoveMetadata;
  TStringOption* FImageFileTypes;
  TIntegerOption* FCopyFileSizeState;
  TIntegerOption* FSandboxState;
  TBooleanOption* FSandboxDirReadOnly;
  TStringOption* FSandboxTemplateFile;
};

}  // namespace tessera
