// String identifiers of the base layer's texts (base_strings.rc).
#pragma once

#define IDS_BASE_SYSTEM_ERROR 5000
