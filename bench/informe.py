#!/usr/bin/env python3
"""Writes docs/performance.md and its plot from the figures scripts/bench.sh
left in build/bench/figures.

    informe.py FIGURES_DIR OUT.md OUT.png
"""
import csv
import os
import re
import subprocess
import sys
import tempfile

TAMANOS_MOTOR = [10, 100, 1000, 10000]
TAMANOS_ESCRITORIO = [10, 50, 200]
OBJETIVO_REPOSO = 1.0
OBJETIVO_MEMORIA = 1.05
OBJETIVO_PASADA = 0.5  # each pass beside the bare synchronous loop, at 200 windows
OBJETIVO_ASINCRONO = 1.1  # each pass beside the limit: every call posted at once
OBJETIVO_TAMANO = 400 * 1024
CICLOS_COMPLETOS = 2000


def leer_escritorio(ruta):
    figuras = {}
    with open(ruta) as f:
        for linea in f:
            partes = linea.split()
            if len(partes) == 3:
                figuras[partes[0]] = float(partes[1])
    return figuras


def leer_motor(ruta):
    """Nanoseconds per iteration, by benchmark name and size."""
    tiempos = {}
    with open(ruta) as f:
        filas = [l for l in f if l.startswith('"') or l.startswith("name")]
    for fila in csv.DictReader(filas):
        m = re.fullmatch(r"(\w+)/(\d+)", fila["name"])
        if not m:
            continue
        escala = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[fila["time_unit"]]
        tiempos[(m.group(1), int(m.group(2)))] = float(fila["real_time"]) * escala
    return tiempos


def leer_ciclos(ruta):
    with open(ruta) as f:
        texto = f.read()
    m = re.search(r"\[ figures  \] .*?: (\d+) cycles; resident (\d+) KB -> (\d+) KB; "
                  r"gdi (\d+) -> (\d+); user (\d+) -> (\d+); kernel (\d+) -> (\d+)", texto)
    aprobado = "[  PASSED  ] 1 test" in texto
    return ([int(x) for x in m.groups()] if m else None), aprobado


def leer_carga(ruta):
    """Times (s) of the 2,000-window run by event, and whether it passed."""
    if not os.path.exists(ruta):
        return None, False
    with open(ruta) as f:
        texto = f.read()
    momentos = {}
    for evento, segundos in re.findall(r"\[ figures  \] (.+?) ([\d.]+) s$", texto, re.M):
        momentos.setdefault(evento, []).append(float(segundos))
    return momentos, "[  PASSED  ] 1 test" in texto


OBJETIVO_REGISTRO = 0.05  # what writing the record adds to a hide pass of 200 windows
OBJETIVO_RECUPERACION_MS = 1000
OBJETIVO_MEMORIA_GUARDIAN = 1.2  # its resident size while waiting beside the floor's


def nombre_mapa(nombre):
    """A mapping as the report names it: Wine backs a section with a file
    of its own, tmpmap-..., which for the guardian is the record."""
    return "the record's section" if nombre.startswith("tmpmap-") else nombre


def seccion_guardian(e):
    """The guardian's figures, beside their floors, as lines of the report."""
    md = ["## The guardian\n"]
    md.append("tesk.exe starts a second copy of itself that waits for it to end and brings back what it "
              "left hidden. Its floor while it waits is `bench/escritorio/espera.cpp`, a program that only "
              "waits on a handle; both are read from Linux over 60 s while tesk.exe runs beside 50 listed "
              "windows. Writing the record is timed alone (200 windows of ten programs written down, each "
              "with its process and thread looked up, then taken out; median of 20) beside the hide pass "
              "over 200 windows above. The restore after a kill runs from `TerminateProcess` on tesk.exe "
              "to the last of 200 concealed windows on screen again (median / worst of 10), beside a bare "
              "loop of the same asynchronous calls from one process; three more kills, untimed, read the guardian's "
              "resident size over the 200 concealed windows before the kill and the most it had (VmHWM) until it "
              "ended.\n")
    md.append("| Figure | measured | floor | target |")
    md.append("|---|---:|---:|---|")
    g, f = e.get("guardian_cpu_espera"), e.get("espera_cpu_espera")
    if g is not None:
        md.append(f"| CPU while waiting, {e.get('guardian_segundos_espera', 60):.0f} s | {g:.0f} ms | "
                  f"{f:.0f} ms | none at all{' met' if g == 0 else ' **missed**'} |" if f is not None else
                  f"| CPU while waiting | {g:.0f} ms | not measured | none at all |")
    if "guardian_residente" in e:
        g, f = e["guardian_residente"], e.get("espera_residente")
        meta = f"≤ {OBJETIVO_MEMORIA_GUARDIAN}×"
        if f:
            meta = f"{razon(g, f)}, {meta} " + ("met" if g / f <= OBJETIVO_MEMORIA_GUARDIAN else "**missed**")
        md.append(f"| Resident size while waiting | {g / 1024:.1f} MB | "
                  f"{f / 1024:.1f} MB | {meta} |" if f else
                  f"| Resident size while waiting | {g / 1024:.1f} MB | not measured | {meta} |")
    if "recuperacion200_guardian_residente_pico" in e:
        md.append(f"| Resident size over 200 concealed windows: waiting → the most it had, restoring "
                  f"(median of 3) | {e.get('recuperacion200_guardian_residente_espera', 0) / 1024:.1f} MB → "
                  f"{e['recuperacion200_guardian_residente_pico'] / 1024:.1f} MB | | |")
    anotar = e.get("registro200_anotar_mediana")
    pasada = e.get("ventanas200_tecla_a_ultima_oculta_mediana")
    if anotar is not None:
        parte = anotar / pasada if pasada else None
        meta = (f"< {OBJETIVO_REGISTRO:.0%} " + ("met" if parte < OBJETIVO_REGISTRO else "**missed**")) if parte else ""
        md.append(f"| Writing 200 entries (median / worst) | {ms(anotar)} / {ms(e.get('registro200_anotar_peor', 0))} "
                  f"| hide pass over 200: {ms(pasada) if pasada else 'not measured'} | "
                  f"{(f'{parte:.2%} of it, ' if parte else '')}{meta} |")
        md.append(f"| Taking 200 entries out | {ms(e.get('registro200_quitar_mediana', 0))} | | |")
    rec = e.get("recuperacion200_guardian_mediana")
    if rec is not None:
        suelo = e.get("recuperacion200_suelo_mediana")
        md.append(f"| Killed → last of 200 windows back (median / worst) | {ms(rec)} / "
                  f"{ms(e.get('recuperacion200_guardian_peor', 0))} | {ms(suelo) if suelo else 'not measured'} "
                  f"| ≤ {OBJETIVO_RECUPERACION_MS} ms {'met' if rec <= OBJETIVO_RECUPERACION_MS else '**missed**'} |")
    solo = sorted(((k[len("guardian_solo_"):], v) for k, v in e.items() if k.startswith("guardian_solo_")),
                  key=lambda kv: -kv[1])
    md.append("\nThe guardian is tesk.exe itself, which imports statically kernel32 and the C runtime alone: "
              "every other DLL (user32, gdi32, comctl32, shell32, version) is loaded on the first call to one "
              "of its functions, so the guardian waits with what the floor has, and loads user32 and what it "
              "brings (the display driver) only once there are windows to show."
              + (" Resident in the guardian and not loaded by the floor at all: "
                 + ", ".join(f"{nombre_mapa(nombre)} {kb:,.0f} KB" for nombre, kb in solo) + "." if solo else "")
              + " The restore after a kill is as fast as the windows' own programs take the calls: the "
              "guardian posts every show at once and ends, and the bare loop of the same calls is no faster.")
    md.append("")
    return md


OBJETIVO_SONIDO = 1.05


def razon(a, b):
    return f"{a / b:.2f}×" if b > 0 else "n/a"


def ms(v):
    return f"{v:.2f} ms" if v < 100 else f"{v:.0f} ms"


def main():
    figuras_dir, salida_md, salida_png = sys.argv[1:4]
    e = leer_escritorio(os.path.join(figuras_dir, "escritorio.txt"))
    motor = leer_motor(os.path.join(figuras_dir, "motor.csv"))
    ciclos, ciclos_aprobado = leer_ciclos(os.path.join(figuras_dir, "ciclos.txt"))
    carga, carga_aprobada = leer_carga(os.path.join(figuras_dir, "carga.txt"))
    with open(os.path.join(figuras_dir, "tamano.txt")) as f:
        tamano_tesk, tamano_minimo = (int(x) for x in f.read().split())

    md = []
    md.append("# Performance\n")
    md.append("Figures from one run of `scripts/bench.sh` on this machine (2 cores, Wine 8 in Xvfb, "
              "no window manager, windows unmanaged). Every figure stands beside its floor, measured "
              "in the same run. Speed is never asserted by a test; the reliability tests "
              "(`tests/fiabilidad`) assert correctness under the same loads.\n")
    md.append("Reproduce with one command:\n\n```sh\nscripts/bench.sh\n```\n")
    md.append("It builds the native benchmark (`build/bench`) and the Windows build (`build/h-bench`), "
              "runs everything, writes the raw figures to `build/bench/figures/` and regenerates this "
              "page and `docs/performance.png`. `TESK_CICLOS=N scripts/bench.sh` changes the number of "
              "hide and restore cycles of the long run (2,000 unless told).\n")

    md.append("## Engine on the stand-in desktop\n")
    md.append("Google Benchmark, time per pass (`bench/motor_bench.cpp`). The floor is a bare loop making "
              "the same desktop calls over the same windows with no engine around it.\n")
    md.append("| Windows | Refresh | floor | ratio | Hide pass | floor | ratio | Restore pass | floor | ratio |")
    md.append("|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|")
    for n in TAMANOS_MOTOR:
        celdas = [f"{n:,}"]
        for nombre in ("Refresco", "Ocultacion", "Restauracion"):
            t = motor.get((nombre, n), 0) / 1e3
            s = motor.get(("Suelo" + nombre, n), 0) / 1e3
            celdas += [f"{t:,.1f} µs", f"{s:,.1f} µs", razon(t, s)]
        md.append("| " + " | ".join(celdas) + " |")
    if motor.get(("Ocultacion", 10)) and motor.get(("Ocultacion", 10000)):
        crece = motor[("Ocultacion", 10000)] / motor[("Ocultacion", 10)]
        md.append(f"\nFrom 10 to 10,000 windows (×1,000) the hide pass costs ×{crece:,.0f}: linear, "
                  "as each window is looked up in the list in constant time.\n")

    md.append("## On Wine's desktop: key to last window\n")
    md.append("`bench/escritorio/escritorio_bench.cpp` runs tesk.exe beside N windows of "
              "ventanas_prueba.exe spread over ten processes (a third minimised, some maximised), one "
              "window marked in a process of its own, and presses "
              "F6 20 times to hide and 20 times to restore. *Key → first* and *key → last* are from the "
              "press (SendInput) to the first and the last window's change; *pass* is from the first to "
              "the last. Two floors, each from another process as tesk.exe's calls are, with the commands "
              "tesk.exe uses (SW_HIDE; SW_SHOWNA, or SW_SHOWMINNOACTIVE for a minimised window): the bare loop "
              "of the same synchronous ShowWindow calls over the same windows, each waited for in turn; "
              "and the limit, the same calls all posted at once (ShowWindowAsync) and then waited for "
              "until every window has changed. Median / worst of 20. Targets at 200 windows: each pass "
              f"at most {OBJETIVO_PASADA}× the bare loop, and at most {OBJETIVO_ASINCRONO}× the limit "
              "(the distance to it).\n")
    md.append("| N | | Key → first | Key → last | Pass | Bare loop | Pass ÷ bare loop | Limit (all posted) "
              "| Pass ÷ limit | Key → last ÷ limit |")
    md.append("|---:|---|---:|---:|---:|---:|---:|---:|---:|---:|")
    for n in TAMANOS_ESCRITORIO:
        b = f"ventanas{n}_"
        for accion, clave in (("hide", "ocultar"), ("show", "mostrar")):
            total = "tecla_a_ultima_oculta" if clave == "ocultar" else "tecla_a_ultima_mostrada"
            fila = [str(n), accion]
            par = lambda k: f"{ms(e.get(b + k + '_mediana', 0))} / {ms(e.get(b + k + '_peor', 0))}"
            mediana = lambda k: e.get(b + k + "_mediana", 0)
            fila += [par("espera_sondeo_" + clave), par(total), par("pasada_" + clave), par("suelo_" + clave),
                     razon(mediana("pasada_" + clave), mediana("suelo_" + clave))]
            if (b + "asincrono_" + clave + "_mediana") in e:
                fila += [par("asincrono_" + clave), razon(mediana("pasada_" + clave), mediana("asincrono_" + clave)),
                         razon(mediana(total), mediana("asincrono_" + clave))]
            else:
                fila += ["not measured", "n/a", "n/a"]
            md.append("| " + " | ".join(fila) + " |")
    md.append("\nThe program waits on no other program: it posts every hide and show (ShowWindowAsync), "
              "so the windows' processes take them side by side, and then waits, handling its own events, "
              "until they have landed; the bare loop waits for each window in turn, the limit does nothing "
              "but post and watch.\n")

    ruta_sonido = os.path.join(figuras_dir, "sonido.txt")
    sonido = leer_escritorio(ruta_sonido) if os.path.exists(ruta_sonido) else {}
    md.append("## The hide pass with sessions playing\n")
    con = sonido.get("sonido200_tecla_a_ultima_oculta_con20_sesiones_mediana")
    sin = sonido.get("sonido200_tecla_a_ultima_oculta_sin_audio_mediana")
    if con is not None and sin is not None:
        callada = sonido.get("sonido200_tecla_a_ultima_sesion_callada_mediana", 0)
        md.append("The same desktop of 200 windows in ten processes, their programs playing in 20 sessions of "
                  "the stand-in audio services (`tests/soporte/mmdevapi_prueba.cpp`, installed in a prefix of "
                  "its own), the marked window in a program of its own; presses alternate between that and no "
                  "audio device at all, in one run of tesk.exe. Median / worst of 20. Target: key → last window "
                  f"hidden at most {OBJETIVO_SONIDO}× the same pass without audio (the windows are asked first, "
                  "the sound after).\n")
        md.append("| Figure | with 20 sessions | without audio | ratio | target |")
        md.append("|---|---:|---:|---:|---|")
        cumple = con / sin <= OBJETIVO_SONIDO if sin > 0 else False
        md.append(f"| Key → last window hidden | {ms(con)} / "
                  f"{ms(sonido.get('sonido200_tecla_a_ultima_oculta_con20_sesiones_peor', 0))} | {ms(sin)} / "
                  f"{ms(sonido.get('sonido200_tecla_a_ultima_oculta_sin_audio_peor', 0))} | {razon(con, sin)} | "
                  f"≤ {OBJETIVO_SONIDO}×{' met' if cumple else ' **missed**'} |")
        md.append(f"| Key → last session muted | {ms(callada)} / "
                  f"{ms(sonido.get('sonido200_tecla_a_ultima_sesion_callada_peor', 0))} | | | |")
        md.append("")
    else:
        md.append("Not measured in this run (see build/bench/figures/sonido.err).\n")

    md.append("## Idle cost, memory, start-up, size\n")
    md.append("The floor is `bench/escritorio/minimo.cpp`: a program with the same features and nothing "
              "else (one small layered window holding a list box, a tooltip control and a notification "
              "icon, reading one key every 100 ms from a timer), built with the same toolchain and flags. "
              "Each runs beside 50 listed "
              "windows for 60 idle seconds. Wine gives no CPU times for another process, so CPU time and "
              "resident size come from Linux (`/proc/<pid>/stat` utime + stime, `/proc/<pid>/status` "
              "VmRSS) for the program and for the prefix's wineserver.\n")
    md.append("| Figure | tesk.exe | floor (minimo.exe) | ratio | target |")
    md.append("|---|---:|---:|---:|---|")

    def fila(nombre, clave, formato, objetivo=None):
        t, m = e.get("tesk_" + clave), e.get("minimo_" + clave)
        celda = lambda v: formato(v) if v is not None else "not measured"
        medido = t is not None and m is not None and m > 0
        ratio = razon(t, m) if medido else "n/a"
        meta = ""
        if objetivo is not None:
            meta = f"≤ {objetivo}×" + ((" met" if t / m <= objetivo else " **missed**") if medido else "")
        md.append(f"| {nombre} | {celda(t)} | {celda(m)} | {ratio} | {meta} |")

    fila("CPU, idle 60 s (program)", "cpu_reposo", lambda v: f"{v:.3f} % core", OBJETIVO_REPOSO)
    fila("CPU, idle 60 s (wineserver)", "wineserver_cpu_reposo", lambda v: f"{v:.3f} % core", OBJETIVO_REPOSO)
    fila("Resident size, idle, 50 windows listed", "residente", lambda v: f"{v / 1024:.1f} MB", OBJETIVO_MEMORIA)
    ar_t, ar_m = e.get("tesk_arranque_mediana"), e.get("minimo_arranque_mediana")
    if ar_t is not None and ar_m is not None:
        md.append(f"| Start-up, process start → window on screen (median / worst of 5) | {ms(ar_t)} / "
                  f"{ms(e.get('tesk_arranque_peor', 0))} | {ms(ar_m)} / {ms(e.get('minimo_arranque_peor', 0))} | "
                  f"{razon(ar_t, ar_m)} | |")
    md.append(f"| Size of the executable | {tamano_tesk / 1024:.0f} KB ({tamano_tesk:,} bytes) | "
              f"{tamano_minimo / 1024:.0f} KB | | < {OBJETIVO_TAMANO // 1024} KB"
              f"{' met' if tamano_tesk < OBJETIVO_TAMANO else ' **missed**'} |")
    solo = sorted(((k[len("tesk_solo_"):], v) for k, v in e.items() if k.startswith("tesk_solo_")),
                  key=lambda kv: -kv[1])
    if solo and "tesk_residente" in e and "minimo_residente" in e:
        total_solo = sum(v for _, v in solo)
        exceso = e["tesk_residente"] - e["minimo_residente"]
        anon_t, anon_m = e.get("tesk_anonima", 0), e.get("minimo_anonima", 0)
        md.append(f"\nWhere tesk.exe's {exceso / 1024:.1f} MB above the floor go (from `/proc/<pid>/smaps`): "
                  f"{total_solo / 1024:.1f} MB are Wine DLLs and files the floor never loads — "
                  + ", ".join(f"{nombre} {kb:,.0f} KB" for nombre, kb in solo[:8])
                  + (", …" if len(solo) > 8 else "")
                  + f" — and anonymous memory (heaps, stacks) is {anon_t / 1024:.1f} MB against the floor's "
                  f"{anon_m / 1024:.1f} MB. The floor uses shell32, comctl32 and the same manifest too, and "
                  "shows its window active with the focus in its list as the panel is: under Wine that brings "
                  "in ole32, combase and rpcrt4 (shown without activation, the floor loads none of them).")
    if "tesk_gdi" in e:
        md.append(f"\nWhat tesk.exe holds while idle (it counts its own, see below): "
                  f"{e['tesk_gdi']:.0f} GDI objects, {e['tesk_user']:.0f} USER objects (windows included), "
                  f"{e['tesk_kernel']:.0f} kernel handle(s).")
    md.append("")

    md.extend(seccion_guardian(e))

    md.append("## A desktop of 2,000 windows\n")
    pulsadas = (carga or {}).get("key pressed at", [])
    punto_carga = None  # the 2,000-window figures for the plot, in ms
    if carga and len(pulsadas) == 2 and "hidden at" in carga and "restored at" in carga:
        md.append(f"`Carga.MuchasVentanas…` (`tests/fiabilidad/carga_test.cpp`, also in the test command at 400 windows as "
                  f"`tesk_carga`): 2,000 windows of ventanas_prueba.exe in 20 processes, a third minimised, some "
                  f"maximised, five marked ({'passed' if carga_aprobada else 'FAILED'}: the list held all "
                  f"2,000, the marked ones stayed, every other window was hidden and came back in its "
                  f"recorded state).\n")
        ocultar = carga["hidden at"][0] - pulsadas[0]
        mostrar = carga["restored at"][0] - pulsadas[1]
        suelo_o = suelo_m = None
        if "bare hide loop from" in carga and "bare hide loop to" in carga and "bare show loop to" in carga:
            suelo_o = carga["bare hide loop to"][0] - carga["bare hide loop from"][0]
            suelo_m = carga["bare show loop to"][0] - carga["bare hide loop to"][0]
            punto_carga = [v * 1000 for v in (ocultar, suelo_o, mostrar, suelo_m, ocultar, mostrar)]
        segs = lambda v: f"{v:.1f} s" if v is not None else "not measured"
        md.append("| Step | time | floor (bare loop, same calls, same order) | ratio |")
        md.append("|---|---:|---:|---:|")
        md.append(f"| Opening the 2,000 test windows (Wine) | {carga['windows open at'][0]:.1f} s | | |")
        md.append(f"| tesk.exe started → panel up with 2,000 entries | "
                  f"{carga['panel up at'][0] - carga['windows open at'][0]:.1f} s | | |")
        md.append(f"| Key → last window hidden | {segs(ocultar)} | {segs(suelo_o)} | "
                  f"{razon(ocultar, suelo_o) if suelo_o else 'n/a'} |")
        md.append(f"| Key → last window shown, icon back | {segs(mostrar)} | {segs(suelo_m)} | "
                  f"{razon(mostrar, suelo_m) if suelo_m else 'n/a'} |")
        md.append("\nThe times are read by polling every half second, so they are up to half a second long.")
        suelo200 = e.get("ventanas200_suelo_ocultar_mediana")
        if suelo_o and suelo200:
            md[-1] += (f" Wine's own calls cost more per window the more windows there are: the bare hide loop "
                      f"takes {suelo_o * 1000 / 1999:.1f} ms a window here against {suelo200 / 200:.1f} ms a "
                      f"window with 200 windows, and the program's passes follow their floor.")
        md.append("")
    else:
        if os.path.exists(os.path.join(figuras_dir, "carga.txt")):
            md.append("The 2,000-window run did not complete (see build/bench/figures/carga.txt).\n")
        else:
            md.append("Not run this time (`TESK_SIN_CARGA=1`); the test command runs the same test at 400 "
                      "windows (`tesk_carga`).\n")

    md.append("## Long run: hide and restore cycles\n")
    if ciclos:
        n, r0, r1, g0, g1, u0, u1, k0, k1 = ciclos
        md.append(f"{n:,} hide and restore cycles over 50 windows "
                  f"({'passed' if ciclos_aprobado else 'FAILED'}: no window lost or left in another show state), "
                  "first figures after the first cycle, last after the last:\n")
        md.append("| | first | last |")
        md.append("|---|---:|---:|")
        md.append(f"| Resident size | {r0:,} KB | {r1:,} KB |")
        md.append(f"| GDI objects held | {g0} | {g1} |")
        md.append(f"| USER objects held (windows included) | {u0} | {u1} |")
        md.append(f"| Kernel handles held | {k0} | {k1} |")
        md.append("")
    else:
        md.append("The long run left no figures (see build/bench/figures/ciclos.txt).\n")

    huecos = []
    if ciclos and ciclos[0] < CICLOS_COMPLETOS:
        huecos.append(f"The long run made {ciclos[0]:,} cycles, not the full {CICLOS_COMPLETOS:,} "
                      f"(`TESK_CICLOS={ciclos[0]}`).")
    for clave in ("tesk_cpu_reposo", "minimo_cpu_reposo", "tesk_wineserver_cpu_reposo",
                  "minimo_wineserver_cpu_reposo", "tesk_residente", "minimo_residente"):
        if clave not in e:
            huecos.append(f"`{clave}` was not measured (see build/bench/figures/escritorio.err).")
    if huecos:
        md.append("## Gaps in this run\n")
        md.extend(f"- {h}" for h in huecos)
        md.append("")

    md.append("## What Wine cannot report\n")
    md.append("- **USER and GDI objects, handle counts**: under Wine `GetGuiResources` gives 0 and "
              "`GetProcessHandleCount` gives 0 for another process. So tesk.exe counts what it holds "
              "itself: every font, picture, brush, device context, icon, cursor and kernel handle it "
              "creates is owned by one small owner object that counts it while held, and its windows "
              "are counted live; it answers the registered message \"Tesk.Recursos\" with those counts "
              "(`panel/Inventario.h`).\n"
              "- **Private bytes**: Wine gives no private-bytes figure (PagefileUsage/PrivateUsage are not "
              "the process's own), so only the resident size is shown; most of it, in the program and in "
              "the floor alike, is Wine's own DLLs and heaps.\n"
              "- **CPU time of another process**: Wine answers 0 from `GetProcessTimes`, so it is read "
              "from Linux. The wineserver serves every Wine process of the prefix, including the 50 "
              "test windows, so its figure is the whole desktop's, with the program and with the floor.\n"
              "- The times are wall-clock times on a shared 2-core machine with no window manager; "
              "a real Windows desktop (DWM, a shell) behaves differently. Treat them as orders of "
              "magnitude and ratios, not as Windows figures.\n")
    md.append("![Pass times beside their floors](performance.png)\n")

    with open(salida_md, "w") as f:
        f.write("\n".join(md))

    # The plot: pass medians beside their floors, per window count.
    with tempfile.TemporaryDirectory() as tmp:
        datos = os.path.join(tmp, "datos.txt")
        with open(datos, "w") as f:
            for n in TAMANOS_ESCRITORIO:
                b = f"ventanas{n}_"
                f.write(f"{n} {e.get(b + 'pasada_ocultar_mediana', 0)} {e.get(b + 'suelo_ocultar_mediana', 0)} "
                        f"{e.get(b + 'pasada_mostrar_mediana', 0)} {e.get(b + 'suelo_mostrar_mediana', 0)} "
                        f"{e.get(b + 'tecla_a_ultima_oculta_mediana', 0)} {e.get(b + 'tecla_a_ultima_mostrada_mediana', 0)}\n")
            if punto_carga:
                # One press each way; at this size the polling delay is lost in the pass.
                f.write("2000 " + " ".join(f"{v:.1f}" for v in punto_carga) + "\n")
        guion = f"""
set terminal png size 900,540
set output '{salida_png}'
set title 'tesk.exe under Wine: pass time beside a bare loop of the same calls (median of 20; 2,000: one press)'
set xlabel 'windows'
set ylabel 'ms'
set logscale xy
set key left top
set grid
plot '{datos}' using 1:6 with linespoints title 'key -> last hidden', \\
     '{datos}' using 1:7 with linespoints title 'key -> last shown', \\
     '{datos}' using 1:2 with linespoints title 'hide pass', \\
     '{datos}' using 1:3 with linespoints dashtype 2 title 'hide floor', \\
     '{datos}' using 1:4 with linespoints title 'show pass', \\
     '{datos}' using 1:5 with linespoints dashtype 2 title 'show floor'
"""
        subprocess.run(["gnuplot"], input=guion, text=True, check=True)


if __name__ == "__main__":
    main()
