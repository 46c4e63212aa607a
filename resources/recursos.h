// Identifiers of the program's resources, shared by the resource script and
// the code that loads them.
#pragma once

#define IDI_TESK 1          // panel, program and tray icon: 16, 20, 24, 32, 40,
                            // 48, 64 and 256 pixels
#define IDI_MINIMIZAR 2     // command images: 16 x 16, and 20, 24, 32 for higher DPI
#define IDI_CERRAR 3
#define IDI_CAMBIAR 4
#define IDB_BANNER 101      // 93 x 28, opens the About box
#define IDB_ACERCA 102      // 283 x 170, the About box's picture
#define IDB_BANNER_2X 103   // the banner drawn twice as large, for 150 %
                            // scaling and above; the About picture is
                            // scaled up smoothly instead, to keep the
                            // program small
#define IDC_MANO 201        // 32 x 32 pointing hand, hot spot 12, 1
