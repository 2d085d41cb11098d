// Texts of "Resize to JPEG" shown to the user, from the extension's string table (commands_strings.rc)
// with the English built in; the formats follow FormatText's rules (%s a wide text, %d a signed integer).
#pragma once

#include "base/ResourceString.h"
#include "commands/CommandTexts.h"
#include "commands/commands_strings.h"

namespace tessera::texts {

// Title shown inside the folder dialog when Ctrl is held.
inline constexpr TResText kResizeSelectOutputFolder{IDS_RESIZE_SELECT_OUTPUT_FOLDER};

// magick.exe missing, its version unreadable or older than 7.
inline constexpr TResText kResizeMagickNotFound{IDS_RESIZE_MAGICK_NOT_FOUND};

inline constexpr TResText kResizeNoImageSize{IDS_RESIZE_NO_IMAGE_SIZE};

// No temporary file could be made for the response file, so there is no folder to run magick.exe in.
inline constexpr TResText kResizeWorkingDirectoryFailed{IDS_RESIZE_WORKING_DIRECTORY_FAILED};

// Response file path, then the system message (the same text as the file note's).
inline constexpr const TResText& kResizeCreateFileFailed = kFailedToCreateFile;
// Complete command line, then the system message.
inline constexpr const TResText& kResizeLaunchFailed = kFailedToLaunch;
// Exit code of magick.exe.
inline constexpr TResText kResizeMagickFailed{IDS_RESIZE_MAGICK_FAILED};

}  // namespace tessera::texts
