// Texts the command procedures show to the user, from the extension's string table (commands_strings.rc)
// with the English built in; the formats follow FormatText's rules (%s a wide text, %d an integer).
#pragma once

#include "base/ProductInfo.h"
#include "base/ResourceString.h"
#include "commands/commands_strings.h"
#include "shellutils/shellutils_strings.h"

namespace tessera::texts {

// Caption of every message box of the extension: the product's name, never translated.
inline constexpr const wchar_t* kCaption = kProductName;

// Copy path and copy size: the clipboard stayed busy, or refused the text (then the system message).
inline constexpr TResText kClipboardBusy{IDS_CMD_CLIPBOARD_BUSY};
inline constexpr TResText kClipboardFailed{IDS_CMD_CLIPBOARD_FAILED};

// Copy size
inline constexpr TResText kUnknownCopySizeOp{IDS_CMD_UNKNOWN_COPY_SIZE_OP};
inline constexpr TResText kTotalSizeCopied{IDS_CMD_TOTAL_SIZE_COPIED};

// File note: note path / command line, then the system message.
inline constexpr TResText kFailedToCreateFile{IDS_CMD_FAILED_TO_CREATE_FILE};
inline constexpr TResText kFailedToLaunch{IDS_UTIL_FAILED_TO_LAUNCH};  // the same text as ShellLaunch's

// Font commands: list file path, then the system message.
inline constexpr TResText kCannotCreateFile{IDS_CMD_CANNOT_CREATE_FILE};
inline constexpr TResText kUnknownTypemountOp{IDS_CMD_UNKNOWN_TYPEMOUNT_OP};

// Windows Sandbox
inline constexpr TResText kSandboxTemplateReadFailed{IDS_CMD_SANDBOX_TEMPLATE_READ_FAILED};
inline constexpr TResText kSandboxTemplateLacksVariable{IDS_CMD_SANDBOX_TEMPLATE_LACKS_VARIABLE};
inline constexpr TResText kSandboxSaveFailed{IDS_CMD_SANDBOX_SAVE_FAILED};

}  // namespace tessera::texts
