#pragma once
// Resource IDs shared by the window tables and res/quellbrook.rc (plain macros,
// so that the resource compiler reads them too).

#define QUELLBROOK_IDI_MAIN 1      // 32x32 icon of the main and extra windows
#define QUELLBROOK_IDI_HOSTS 2     // 16x16 shield icon of the HOSTS window
#define QUELLBROOK_IDB_BANNER 101  // 210x78 background picture of the main window
