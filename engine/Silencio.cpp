#include "engine/Silencio.h"

#include <exception>

namespace tesk {

namespace {

// Further than any real chain of processes: a chain longer than this has a
// reused id in it, which sends it round in a circle.
constexpr int kGeneracionesMaximas = 64;

}  // namespace

void Silencio::Olvidar() {
    activo_ = false;
    ocultos_.clear();
    enPantalla_.clear();
    conVentana_.clear();
    procesos_.clear();
    nuestras_.clear();
    vistas_.clear();
}

void Silencio::LeerProcesos() {
    procesos_.clear();
    for (Proceso& p : audio_.Procesos()) procesos_[p.id] = {p.padre, std::move(p.ejecutable)};
}

void Silencio::AlOcultar(const std::vector<VentanaVista>& ventanas) {
    if (activo_) Devolver();  // nothing of an earlier concealment is left behind
    try {
        propio_ = audio_.ProcesoPropio();
        LeerProcesos();
        // Per executable: whether the pass hid a window of it, and whether
        // it left one on screen.
        std::unordered_map<std::wstring, std::pair<bool, bool>> programas;
        for (const VentanaVista& v : ventanas) {
            if (v.proceso == 0 || v.proceso == propio_) continue;
            conVentana_.insert(v.proceso);
            auto it = procesos_.find(v.proceso);
            if (it == procesos_.end() || it->second.second.empty()) continue;
            auto& [oculta, enPantalla] = programas[it->second.second];
            (v.oculta ? oculta : enPantalla) = true;
        }
        if (auto it = procesos_.find(propio_); it != procesos_.end()) programas.erase(it->second.second);
        for (const auto& [ejecutable, vistas] : programas)
            (vistas.first && !vistas.second ? ocultos_ : enPantalla_).insert(ejecutable);
        activo_ = true;
        if (!ocultos_.empty()) Callar();
    } catch (const std::exception&) {
        // Memory running out: what was muted stays noted, and comes back.
        activo_ = true;
    }
}

bool Silencio::Callado(std::uint32_t proceso) {
    if (proceso == 0 || proceso == propio_) return false;
    auto it = procesos_.find(proceso);
    if (it == procesos_.end()) return false;
    // A process with a window of its own, or of a program with a window
    // left on screen, goes with its own executable.
    const std::wstring& ejecutable = it->second.second;
    if (conVentana_.count(proceso) || enPantalla_.count(ejecutable)) return ocultos_.count(ejecutable) != 0;
    // Otherwise with the nearest among itself and its ancestors that had a
    // window, or that runs a concealed program's executable.
    std::uint32_t p = proceso;
    for (int n = 0; n < kGeneracionesMaximas; ++n) {
        auto actual = procesos_.find(p);
        if (actual == procesos_.end() || p == propio_) break;
        const bool oculto = ocultos_.count(actual->second.second) != 0;
        if (conVentana_.count(p) || oculto) return oculto;
        const std::uint32_t padre = actual->second.first;
        if (padre == 0 || padre == p) break;
        p = padre;
    }
    return false;
}

void Silencio::Callar() {
    bool leidos = false;
    for (const SesionSonido& s : audio_.Sesiones()) {
        if (nuestras_.count(s.id) || vistas_.count(s.id)) continue;
        // A process started since the latest reading (a page that began to
        // play in a new child process): read them again, once a look.
        if (!procesos_.count(s.proceso) && s.proceso != 0 && !leidos) {
            LeerProcesos();
            leidos = true;
        }
        vistas_.insert(s.id);
        // One the user muted stays theirs: left alone, now and at the end.
        if (s.silenciada || !Callado(s.proceso)) continue;
        // Written down first; one that cannot be stays audible.
        if (!resguardo_.AnotarSesion(s.proceso, s.id)) continue;
        if (audio_.Silenciar(s.proceso, s.id, true, false)) {
            nuestras_.emplace(s.id, s.proceso);
        } else {
            resguardo_.QuitarSesion(s.id);
        }
    }
}

void Silencio::Vigilar() {
    if (!activo_ || ocultos_.empty()) return;
    try {
        Callar();
    } catch (const std::exception&) {
    }
}

void Silencio::Devolver() {
    for (const auto& [id, proceso] : nuestras_) {
        try {
            audio_.Silenciar(proceso, id, false);
        } catch (const std::exception&) {
        }
        resguardo_.QuitarSesion(id);
    }
    Olvidar();
}

void Silencio::DevolverSinEsperar() {
    for (const auto& [id, proceso] : nuestras_) {
        bool devuelta = false;
        try {
            devuelta = audio_.Silenciar(proceso, id, false, false);
        } catch (const std::exception&) {
        }
        if (devuelta) resguardo_.QuitarSesion(id);
    }
    Olvidar();
}

}  // namespace tesk
