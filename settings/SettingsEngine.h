// Everything a program needs to declare, load and save its settings.
#pragma once

#include "settings/IniStorage.h"
#include "settings/OptionStore.h"
#include "settings/ProgramOptions.h"
