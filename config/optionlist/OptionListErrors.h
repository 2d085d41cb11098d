// Errors inside the option list's window procedures: none may leave them. The message of the error being
// handled is handed to the list, which shows it once the message that raised it is done.
#pragma once

#include <string>

namespace tessera {

// The message of the exception being handled (call inside a catch block): a TesseraError's own message, or
// the text for running out of memory or for any other failure.
std::wstring CurrentErrorMessage();

}  // namespace tessera
