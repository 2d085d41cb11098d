// Helpers of the "Resize to JPEG" tests: images made and measured with WIC, the ImageMagick registry
// entry and the magick.exe stand-ins (tests/helpers/magick), and a driver for the folder dialog.
#pragma once

#include <windows.h>
#include <wincodec.h>

#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace tessera::test {

// Frames of an image file to write: each a plain colour of the given size.
struct TFrameSpec {
  unsigned Width, Height;
  COLORREF Color;
};
// Writes an image with WIC; container is GUID_ContainerFormatPng, Bmp or Tiff (several frames: Tiff).
// path may be longer than MAX_PATH.
void WriteTestImage(const std::wstring& path, const GUID& container, const std::vector<TFrameSpec>& frames);

struct TImageFacts {
  GUID Container{};
  unsigned Frames = 0, Width = 0, Height = 0;  // size of the first frame
  COLORREF Center = 0;                         // colour of the first frame's middle pixel
};
// Nothing when the file cannot be decoded.
std::optional<TImageFacts> ReadImageFacts(const std::wstring& path);
// True when every channel of a and b differs by at most tolerance (JPEG is lossy).
bool SameColor(COLORREF a, COLORREF b, int tolerance = 24);

// Names of the entries of folder (no "." and ".."), sorted; folder may be longer than MAX_PATH.
std::vector<std::wstring> FolderEntries(const std::wstring& folder);
// Creates folder and its missing parents; folder may be longer than MAX_PATH.
void CreateLongFolders(const std::wstring& folder);
// Removes a folder tree that may be deeper than MAX_PATH.
void DeleteLongTree(const std::wstring& folder);
// The \\?\ form of a long absolute path, for the file functions.
std::wstring LongPath(const std::wstring& path);

// Folders of the stand-ins built beside the test program, without trailing backslash.
std::wstring MagickFolder(int major);

// Empties HKLM\SOFTWARE\ImageMagick\Current "BinPath" in both registry views for the life of the
// object and puts back what was there before (values and keys).
class ImageMagickRegistry {
public:
  ImageMagickRegistry();
  ~ImageMagickRegistry();
  ImageMagickRegistry(const ImageMagickRegistry&) = delete;
  ImageMagickRegistry& operator=(const ImageMagickRegistry&) = delete;
  // view: KEY_WOW64_64KEY or KEY_WOW64_32KEY.
  void SetBinPath(REGSAM view, const std::wstring& folder);

private:
  struct TSaved {
    REGSAM View;
    bool ParentExisted, KeyExisted, ValueExisted;
    DWORD Type;
    std::vector<BYTE> Data;
  };
  std::vector<TSaved> FSaved;
};

// Answers the next folder dialog of this process whose text includes title: selects folder and presses
// OK, or presses Cancel when folder is empty.
class FolderDialogDriver {
public:
  FolderDialogDriver(std::wstring title, std::wstring folder);
  ~FolderDialogDriver();
  FolderDialogDriver(const FolderDialogDriver&) = delete;
  FolderDialogDriver& operator=(const FolderDialogDriver&) = delete;
  bool answered() const { return FAnswered; }

private:
  void run();

  std::wstring FTitle, FFolder;
  std::atomic<bool> FStop{false}, FAnswered{false};
  std::thread FThread;
};

}  // namespace tessera::test
