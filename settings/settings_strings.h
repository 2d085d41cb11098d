// String identifiers of the product settings' translatable texts (settings_strings.rc), shared by the
// shell extension and the settings program.
#pragma once

#define IDS_STATE_HIDE 1000
#define IDS_STATE_SHOW 1001
#define IDS_STATE_SHOW_EXTENDED 1002

#define IDS_OPT_COPY_PATH 1010
#define IDS_OPT_COPY_SIZE 1011
#define IDS_OPT_FILE_NOTE 1012
#define IDS_OPT_RESIZE_IMAGE 1013
#define IDS_OPT_IMAGE_FILES 1014
#define IDS_OPT_INSTALL_FONT 1015
#define IDS_OPT_UNINSTALL_FONT 1016
#define IDS_OPT_LOAD_FONT 1017
#define IDS_OPT_UNLOAD_FONT 1018
#define IDS_OPT_SANDBOX 1019
#define IDS_OPT_SANDBOX_READ_ONLY 1020
#define IDS_OPT_SANDBOX_TEMPLATE 1021
#define IDS_OPT_SHOW_FILE_EXT 1022
#define IDS_OPT_SHOW_HIDDEN 1023
#define IDS_OPT_SHOW_SUPER_HIDDEN 1024
#define IDS_OPT_FRESH_ICONS 1025
#define IDS_OPT_TESSERA_SETTINGS 1026
