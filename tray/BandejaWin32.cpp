// The Windows build's check of the icon's record: Bandeja.h restates the
// platform's values it fills the record with, having no Windows header, and
// one restated wrong stops the build here.
#include "tray/Bandeja.h"

#include <windows.h>
#include <shellapi.h>

#include <cstddef>

namespace tesk {

static_assert(kNifMessage == NIF_MESSAGE);
static_assert(kNifIcon == NIF_ICON);
static_assert(kNifTip == NIF_TIP);
static_assert(kMensajeIcono == WM_APP + 1);
// The tip field of the record's first layout, which the boundary passes.
static_assert(NOTIFYICONDATAW_V1_SIZE == offsetof(NOTIFYICONDATAW, szTip) + kLargoTip * sizeof(WCHAR));

}  // namespace tesk
