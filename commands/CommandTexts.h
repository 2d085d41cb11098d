// Texts the command procedures show to the user, from the extension's string table (commands_strings.rc)
// with the English built in; the formats follow FormatText's rules (%s a wide text, %d an integer).
#pragma once

#include "commands/commands_strings.h"
#include "settings/ResourceString.h"

namespace tessera::texts {

// Caption of every message box of the extension: the product's name, never translated.
inline constexpr const wchar_t* kCaption = L"Tessera";

// Copy size
inline constexpr TResText kUnknownCopySizeOp{IDS_CMD_UNKNOWN_COPY_SIZE_OP, L"Unknown op for copy file size."};
inline constexpr TResText kTotalSizeCopied{IDS_CMD_TOTAL_SIZE_COPIED,
                                           L"Total size of %d selected files was copied to clipboard."};

// File note: note path / command line, then the system message.
inline constexpr TResText kFailedToCreateFile{IDS_CMD_FAILED_TO_CREATE_FILE, L"Failed to create file \"%s\"\r\n\r\n%s"};
inline constexpr TResText kFailedToLaunch{IDS_CMD_FAILED_TO_LAUNCH, L"Failed to launch \"%s\"\r\n\r\n%s"};

// Font commands: list file path, then the system message.
inline constexpr TResText kCannotCreateFile{IDS_CMD_CANNOT_CREATE_FILE, L"Cannot create file \"%s\". %s"};
inline constexpr TResText kUnknownTypemountOp{IDS_CMD_UNKNOWN_TYPEMOUNT_OP, L"Unknown op for Typemount."};

// Windows Sandbox
inline constexpr TResText kSandboxTemplateReadFailed{
    IDS_CMD_SANDBOX_TEMPLATE_READ_FAILED, L"Failed to read Windows Sandbox config file template from file \"%s\". %s"};
inline constexpr TResText kSandboxTemplateLacksVariable{
    IDS_CMD_SANDBOX_TEMPLATE_LACKS_VARIABLE, L"Windows Sandbox configuration template file must contain variable %s."};
inline constexpr TResText kSandboxSaveFailed{IDS_CMD_SANDBOX_SAVE_FAILED,
                                             L"Failed to save temporary Windows Sandbox configuration to file %s."};

}  // namespace tessera::texts
