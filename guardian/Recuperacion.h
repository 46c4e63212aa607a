// What the guardian does once Tesk is gone: every window of the record that
// still exists is asked to show, without waiting for its program; then every
// audio session of the record that still plays is given its sound back.
#pragma once

#include <cstddef>

namespace tesk::guardian {

struct Recuperadas {
    std::size_t mostradas = 0;   // hidden, asked to show in their command
    std::size_t enPantalla = 0;  // still on screen (a hide may be on its way): asked to show as they are
    std::size_t rechazadas = 0;  // entries that name no window of theirs or no valid command
    std::size_t sesiones = 0;    // sessions unmuted
    std::size_t sesionesPerdidas = 0;  // sessions written down that could not be (gone, or a call failed)
};

// Reads a record of that many bytes. A record that is not one as Tesk
// writes it (size, mark, version, counts) shows nothing at all; an entry
// that names no top-level window of the process and thread it was written
// for, or no show command, is passed over. Windows are only ever shown,
// never hidden, moved or activated. The audio services are loaded only when
// the record holds a session, after the windows; a session is only ever
// unmuted, never muted, and its level is never touched.
Recuperadas Recuperar(const void* registro, std::size_t tamano);

}  // namespace tesk::guardian
