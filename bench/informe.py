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
OBJETIVO_REPOSO = 1.2
OBJETIVO_MEMORIA = 1.1
OBJETIVO_TAMANO = 400 * 1024


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
    m = re.search(r"\[ figures  \] .*?: (\d+) cycles; resident (\d+) KB -> (\d+) KB; handles (\d+) -> (\d+)", texto)
    aprobado = "[  PASSED  ] 1 test" in texto
    return (m.groups() if m else None), aprobado


def razon(a, b):
    return f"{a / b:.2f}×" if b > 0 else "n/a"


def ms(v):
    return f"{v:.2f} ms" if v < 100 else f"{v:.0f} ms"


def main():
    figuras_dir, salida_md, salida_png = sys.argv[1:4]
    e = leer_escritorio(os.path.join(figuras_dir, "escritorio.txt"))
    motor = leer_motor(os.path.join(figuras_dir, "motor.csv"))
    ciclos, ciclos_aprobado = leer_ciclos(os.path.join(figuras_dir, "ciclos.txt"))
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
              "ventanas_prueba.exe (a third minimised, some maximised), one window marked, and presses "
              "F6 20 times to hide and 20 times to restore. *Key → last* is from the press (SendInput) "
              "to the last window's change; *polling delay* is from the press to the first window's "
              "change: the wait for the next 100 ms tick, reported apart; *pass* is the rest. The floor "
              "is a bare loop of the same ShowWindow calls over the same windows, from another "
              "process as tesk.exe's are. Median / worst of 20.\n")
    md.append("| N | | Key → last | Polling delay | Pass | Floor (bare loop) | Pass ÷ floor |")
    md.append("|---:|---|---:|---:|---:|---:|---:|")
    for n in TAMANOS_ESCRITORIO:
        b = f"ventanas{n}_"
        for accion, clave, suelo in (("hide", "ocultar", "ocultar"), ("show", "mostrar", "mostrar")):
            total = "tecla_a_ultima_oculta" if clave == "ocultar" else "tecla_a_ultima_mostrada"
            fila = [str(n), accion]
            for k in (total, "espera_sondeo_" + clave, "pasada_" + clave, "suelo_" + suelo):
                fila.append(f"{ms(e.get(b + k + '_mediana', 0))} / {ms(e.get(b + k + '_peor', 0))}")
            fila.append(razon(e.get(b + "pasada_" + clave + "_mediana", 0), e.get(b + "suelo_" + suelo + "_mediana", 0)))
            md.append("| " + " | ".join(fila) + " |")
    md.append("")

    md.append("## Idle cost, memory, start-up, size\n")
    md.append("The floor is `bench/escritorio/minimo.cpp`: one small window that reads one key every "
              "100 ms from a timer, built with the same toolchain and flags. Both run beside 50 listed "
              "windows; CPU is over 60 idle seconds (GetProcessTimes for the program; the wineserver's "
              "utime + stime from Linux's /proc, as Wine has no figure for it).\n")
    md.append("| Figure | tesk.exe | floor (minimo.exe) | ratio | target |")
    md.append("|---|---:|---:|---:|---|")
    cpu_t, cpu_m = e.get("tesk_cpu_reposo", 0), e.get("minimo_cpu_reposo", 0)
    md.append(f"| CPU, idle 60 s (program) | {cpu_t:.3f} % core | {cpu_m:.3f} % core | {razon(cpu_t, cpu_m)} | ≤ {OBJETIVO_REPOSO}× |")
    if "tesk_wineserver_cpu_reposo" in e:
        ws_t, ws_m = e["tesk_wineserver_cpu_reposo"], e.get("minimo_wineserver_cpu_reposo", 0)
        md.append(f"| CPU, idle 60 s (wineserver) | {ws_t:.3f} % core | {ws_m:.3f} % core | {razon(ws_t, ws_m)} | ≤ {OBJETIVO_REPOSO}× |")
    res_t, res_m = e.get("tesk_residente", 0), e.get("minimo_residente", 0)
    md.append(f"| Resident size, idle, 50 windows listed | {res_t / 1024:.1f} MB | {res_m / 1024:.1f} MB | {razon(res_t, res_m)} | ≤ {OBJETIVO_MEMORIA}× |")
    md.append(f"| Kernel handles | {e.get('tesk_handles', 0):.0f} | {e.get('minimo_handles', 0):.0f} | | |")
    ar_t, ar_m = e.get("tesk_arranque_mediana", 0), e.get("minimo_arranque_mediana", 0)
    md.append(f"| Start-up, process start → window on screen (median / worst of 5) | {ms(ar_t)} / {ms(e.get('tesk_arranque_peor', 0))} | {ms(ar_m)} / {ms(e.get('minimo_arranque_peor', 0))} | {razon(ar_t, ar_m)} | |")
    md.append(f"| Size of the executable | {tamano_tesk / 1024:.0f} KB ({tamano_tesk:,} bytes) | {tamano_minimo / 1024:.0f} KB | | < 400 KB |")
    md.append("")

    md.append("## Long run: hide and restore cycles\n")
    if ciclos:
        n, r0, r1, h0, h1 = ciclos
        md.append(f"{int(n):,} hide and restore cycles over 50 windows "
                  f"({'passed' if ciclos_aprobado else 'FAILED'}: no window lost or left in another show state). "
                  f"tesk.exe's resident size went from {r0} KB after the first cycle to {r1} KB after the "
                  f"last; its kernel handles from {h0} to {h1}.\n")
    else:
        md.append("The long run left no figures (see build/bench/figures/ciclos.txt).\n")

    md.append("## What Wine cannot report\n")
    md.append("- **USER and GDI objects**: `GetGuiResources` gives 0 under Wine, so the long run counts "
              "what the program itself opens that Wine does count: kernel handles (`GetProcessHandleCount`) "
              "and the resident size (`GetProcessMemoryInfo`'s WorkingSetSize).\n"
              "- **Private bytes**: Wine gives no private-bytes figure (PagefileUsage/PrivateUsage are not "
              "the process's own), so only the resident size is shown; most of it is Wine's own DLLs, "
              "which is why the floor is so close.\n"
              "- **The wineserver's CPU** is read from Linux (`/proc/<pid>/stat`); it serves every Wine "
              "process of the prefix, including the 50 test windows, so its figure is the whole "
              "desktop's, with the program and with the floor.\n"
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
        guion = f"""
set terminal png size 900,540
set output '{salida_png}'
set title 'tesk.exe under Wine: pass time beside a bare loop of the same calls (median of 20)'
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
