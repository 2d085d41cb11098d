// Starting programs, optionally waiting for their exit code.
#pragma once

#include <windows.h>

#include <string>

namespace tessera {

// Results of RunProcess.
constexpr int rpOk = 0;            // created (and, when waited for, ended with exitCode read)
constexpr int rpCreateFailed = 1;  // CreateProcessW failed, nothing started
constexpr int rpWaitFailed = 2;    // created, but waiting for it failed

// Runs commandLine; showWindow other than SW_SHOWNORMAL is forced on the new program.
// An empty currentDirectory keeps the caller's.
int RunProcess(const std::wstring& commandLine, bool wait, int showWindow, DWORD& exitCode,
               const std::wstring& currentDirectory = L"");
// Starts commandLine without waiting; true when the process was created.
bool StartProcess(const std::wstring& commandLine);

}  // namespace tessera
