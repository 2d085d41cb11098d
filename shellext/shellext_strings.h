// String identifiers of the shell extension's own texts (shellext_strings.rc). The menu captions are the
// captions of the settings that show them (settings_strings.rc).
#pragma once

// Captions of the "Copy size" submenu's entries
#define IDS_MENU_BYTES 2000
#define IDS_MENU_KIB 2001

// Help texts shown in Explorer's status bar
#define IDS_HELP_FILE_NOTE 2020
#define IDS_HELP_COPY_PATH 2021
#define IDS_HELP_SHOW_HIDDEN 2022
#define IDS_HELP_SHOW_EXTENSIONS 2024
#define IDS_HELP_REFRESH_ICONS 2025
#define IDS_HELP_SETTINGS 2026
#define IDS_HELP_UNINSTALL_FONT 2027
#define IDS_HELP_INSTALL_FONT 2028
#define IDS_HELP_UNLOAD_FONT 2029
#define IDS_HELP_LOAD_FONT 2030
#define IDS_HELP_RESIZE 2031
#define IDS_HELP_COPY_SIZE 2032
#define IDS_HELP_SANDBOX 2033

// Messages of commands that failed without a message of their own
#define IDS_ERR_OUT_OF_MEMORY 2100
#define IDS_ERR_UNEXPECTED 2101
