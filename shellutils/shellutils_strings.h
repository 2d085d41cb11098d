// String identifiers of the shared utilities' messages (shellutils_strings.rc).
#pragma once

#define IDS_UTIL_FAILED_TO_LAUNCH 4000
