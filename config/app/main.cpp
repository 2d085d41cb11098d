// Entry point of the settings program.
#include <windows.h>

#include "config/ConfigApp.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  return tessera::RunConfigProgram(instance, showCommand);
}
