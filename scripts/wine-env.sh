# Sourced by the scripts that run Windows programs: a private Wine prefix
# inside the build folder, quiet, without the Mono and Gecko installers.
#   source scripts/wine-env.sh BUILD_DIR
#   wine_iniciar        # prefix ready, a persistent wineserver running
#   wine_parar          # that wineserver (and everything in the prefix) ended

_tesk_build="$(cd "${1:?build folder}" && pwd)"
export WINEPREFIX="$_tesk_build/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# DPI for the programs started in this prefix (96 unless TESK_DPI says).
wine_dpi() {
  local dpi="${1:-96}"
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -w
}

wine_iniciar() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  wine_dpi "${TESK_DPI:-96}"
  wineserver -p
  # The desktop process (explorer) starts with the first window and lives as
  # long as the server. Started here, it holds no test's output open, so
  # ctest does not wait for it after the test has ended.
  wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
}

wine_parar() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}
