// String identifiers of the shell extension's resources.
#pragma once

#define IDS_PRODUCT_NAME 100
