// String identifiers of the settings program's texts (config_strings.rc).
#pragma once

#define IDS_CONFIG_NOT_BUILT 6000
