// String identifiers of the settings program.
#pragma once

#define IDS_CONFIG_NOT_BUILT 100
