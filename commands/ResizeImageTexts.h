// Texts of "Resize to JPEG" shown to the user, from the extension's string table (commands_strings.rc)
// with the English built in; the formats follow FormatText's rules (%s a wide text, %d a signed integer).
#pragma once

#include "commands/CommandTexts.h"
#include "commands/commands_strings.h"
#include "settings/ResourceString.h"

namespace tessera::texts {

// Title shown inside the folder dialog when Ctrl is held.
inline constexpr TResText kResizeSelectOutputFolder{IDS_RESIZE_SELECT_OUTPUT_FOLDER,
    L"Select folder for converted images:"};

// magick.exe missing, its version unreadable or older than 7.
inline constexpr TResText kResizeMagickNotFound{IDS_RESIZE_MAGICK_NOT_FOUND,
    L"Failed to locate magick.exe\r\n\r\n"
    L"Tessera needs ImageMagick 7+ to convert images. Visit https://imagemagick.org/script/download.php#windows"
    L" and install free ImageMagick Windows binary (Windows Q16 DLL).\r\n\r\n"
    L"If you already have the latest ImageMagick installed then make sure its directory is added to system PATH. "
    L"You can fix that manually or by re-installing ImageMagick."};

inline constexpr TResText kResizeNoImageSize{IDS_RESIZE_NO_IMAGE_SIZE,
    L"Internal error. No image size specified."};

// No temporary file could be made for the response file, so there is no folder to run magick.exe in.
inline constexpr TResText kResizeWorkingDirectoryFailed{IDS_RESIZE_WORKING_DIRECTORY_FAILED,
    L"Failed to change working directory."};

// Response file path, then the system message (the same text as the file note's).
inline constexpr const TResText& kResizeCreateFileFailed = kFailedToCreateFile;
// Complete command line, then the system message.
inline constexpr const TResText& kResizeLaunchFailed = kFailedToLaunch;
// Exit code of magick.exe.
inline constexpr TResText kResizeMagickFailed{IDS_RESIZE_MAGICK_FAILED,
    L"ImageMagick indicated failure by returning exit code %d."};

}  // namespace tessera::texts
