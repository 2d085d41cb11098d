// String identifiers of the option list control's texts (optionlist_strings.rc).
#pragma once

// The popup list's entries (8000-8009).
#define IDS_OL_INHERIT 8000
#define IDS_OL_LOAD_DEFAULT 8001
#define IDS_OL_EDIT 8002

// Values drawn by the list (8010-8019).
#define IDS_OL_NOT_SPECIFIED 8010
#define IDS_OL_INHERITED 8011
#define IDS_OL_MISSING 8012

// Errors (8020-8029).
#define IDS_OL_ERR_NO_TEXT_HEIGHT 8020
#define IDS_OL_ERR_NO_POPUP_OPTION 8021
#define IDS_OL_ERR_NO_ROW_EDITOR 8022
#define IDS_OL_ERR_OUT_OF_MEMORY 8023
#define IDS_OL_ERR_UNEXPECTED 8024
