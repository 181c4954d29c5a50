# Shared Wine environment for running and testing; source this file.
# One template prefix (fonts, Managed=N, no desktop integration), copies of it
# where a clean prefix is needed, one Xvfb and one persistent wineserver.
# A prefix's settings (DPI, colour scheme, 32-bit programs) are given where it
# is asked for (vel_prefix).

VEL_WINE64=/usr/lib/wine/wine64
VEL_WINESERVER=/usr/lib/wine/wineserver
VEL_WINE32_ROOT=${VEL_WINE32_ROOT:-/opt/vel-wine32}
# Runs 64-bit programs as the system's does, and starts 32-bit ones under
# qemu-i386 (scripts/setup/install-wine32.sh); the wineserver is the system's.
VEL_WOW64=$VEL_WINE32_ROOT/wine/usr/lib/wine/wine64
VEL_STATE_DIR=${VEL_STATE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/vel_instaluj}
VEL_TEMPLATE=$VEL_STATE_DIR/wine-template
VEL_XVFB_DISPLAY=${VEL_XVFB_DISPLAY:-:77}
# A Polish system, as the installer is made for: Wine takes the system locale
# (the ANSI code page) from LC_CTYPE, and the user's locale and language, which
# the system's own buttons and dialogs speak, from LC_MESSAGES; an unknown
# locale silently gives US English. LC_ALL sets both over whatever the caller
# had. VEL_LOCALE picks another system.
VEL_LOCALE=${VEL_LOCALE:-pl_PL.UTF-8}
export VEL_LOCALE LANG=$VEL_LOCALE LC_ALL=$VEL_LOCALE
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winemenubuilder.exe=d"}

# Is an X server alive on display number $1? The socket alone can be a leftover
# of a server that died with an earlier machine, so the lock's owner must still
# be an Xvfb (after a restart its number may belong to anything).
_vel_x_alive() {
  local pid stat
  [ -S /tmp/.X11-unix/X$1 ] && [ -r /tmp/.X$1-lock ] || return 1
  pid=$(tr -dc 0-9 </tmp/.X$1-lock)
  [ -n "$pid" ] && stat=$(cat /proc/$pid/stat 2>/dev/null) || return 1
  case $stat in *"(Xvfb) "[RSD]*) return 0 ;; esac
  return 1
}

# Start one Xvfb on $VEL_XVFB_DISPLAY unless it already runs; export DISPLAY.
# A dead server's socket that this user may not remove moves us to the next
# free display number.
vel_xvfb() {
  local n=${VEL_XVFB_DISPLAY#:} last i
  last=$((n + 20))
  while [ "$n" -le "$last" ]; do
    if _vel_x_alive "$n"; then break; fi
    rm -f /tmp/.X11-unix/X$n /tmp/.X$n-lock 2>/dev/null || true
    if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then
      (setsid Xvfb ":$n" -screen 0 1024x768x24 -ac -nolisten tcp \
          >/dev/null 2>&1 </dev/null &)
      for i in $(seq 100); do _vel_x_alive "$n" && break; sleep 0.05; done
      _vel_x_alive "$n" && break
    fi
    n=$((n + 1))
  done
  if [ "$n" -gt "$last" ]; then
    echo "vel_xvfb: no X server could be started" >&2
    return 1
  fi
  export DISPLAY=:$n
}

# vel_wine64 PREFIX: the loader that runs the programs of PREFIX (a path
# vel_prefix printed): the emulated 32-bit Wine's wine64 for one made with
# --i686, else the system's.
vel_wine64() {
  case " $(cat "$1/vel-prefix.settings" 2>/dev/null) " in
    *" --i686 "*) echo "$VEL_WOW64" ;;
    *) echo "$VEL_WINE64" ;;
  esac
}

# _vel_make_template TEMPLATE WINE64
_vel_make_template() {
  local t=$1.tmp.$$ wine=$2
  if [ ! -x "$wine" ]; then
    echo "vel_template: $wine is missing (scripts/setup/install-wine32.sh sets it up)" >&2
    return 1
  fi
  rm -rf "$t"; mkdir -p "$t"
  WINEPREFIX=$t "$wine" wineboot -i >/dev/null 2>&1
  cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf \
     /usr/share/wine/fonts/marlett.ttf "$t/drive_c/windows/Fonts/"
  # Without a window manager every managed window costs ~2 s to close.
  WINEPREFIX=$t "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  WINEPREFIX=$t "$wine" reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /t REG_SZ /d '' /f >/dev/null 2>&1
  WINEPREFIX=$t "$VEL_WINESERVER" -w
  # The copies share these files (see _vel_copy_prefix): none may write them.
  find "$t/drive_c/windows/system32" "$t/drive_c/windows/syswow64" "$t/drive_c/windows/winsxs" \
    -type f -exec chmod a-w {} + 2>/dev/null || true
  mv "$t" "$1"
}

# vel_template [--i686]: build the template once: the 64-bit one, or with
# --i686 the one made by the emulated 32-bit Wine, which runs 32-bit programs.
vel_template() {
  local t=$VEL_TEMPLATE wine=$VEL_WINE64
  if [ "${1:-}" = --i686 ]; then t=$VEL_TEMPLATE-i686 wine=$VEL_WOW64; fi
  mkdir -p "$VEL_STATE_DIR"
  [ -d "$t" ] && return 0
  (
    flock 9
    [ -d "$t" ] || _vel_make_template "$t" "$wine"
  ) 9>"$t.lock"
}

# A copy of a template. Its system DLLs, nearly all of its size (1.3 GB with
# the 32-bit ones), are only ever read: they are hard links to the template's,
# the rest is copied.
_vel_copy_prefix() {
  local from=$1 to=$2 d
  mkdir -p "$to"
  tar -C "$from" --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 \
      --exclude=./drive_c/windows/winsxs -cf - . |
    tar -C "$to" -xf -
  for d in system32 syswow64 winsxs; do
    [ -d "$from/drive_c/windows/$d" ] && cp -al "$from/drive_c/windows/$d" "$to/drive_c/windows/"
  done
  return 0
}

# _vel_prefix_looks PREFIX WINE64 DPI HIGH_CONTRAST: DPI (if not empty) is the
# screen's (Wine takes the system DPI from LogPixels); HIGH_CONTRAST (if not
# empty) gives a black high-contrast colour scheme. Wine has no high-contrast
# switch of its own: SPI_GETHIGHCONTRAST always answers "off", so only the
# colours change.
_vel_prefix_looks() {
  local p=$1 wine=$2 dpi=$3 contrast=$4 reg
  [ -n "$dpi$contrast" ] || return 0
  reg=$(mktemp "${TMPDIR:-/tmp}/vel-looks.XXXXXX")
  printf 'REGEDIT4\n\n' >"$reg"
  if [ -n "$dpi" ]; then
    printf '[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n\n' "$dpi" >>"$reg"
  fi
  if [ -n "$contrast" ]; then
    printf '[HKEY_CURRENT_USER\\Control Panel\\Colors]\n' >>"$reg"
    printf '"%s"="%s"\n' Window "0 0 0" WindowText "255 255 255" ButtonFace "0 0 0" \
      ButtonText "255 255 255" ButtonShadow "128 128 128" ButtonHilight "255 255 255" \
      ButtonLight "0 0 0" ButtonDkShadow "255 255 255" GrayText "63 242 63" \
      Hilight "26 235 255" HilightText "0 0 0" InfoWindow "0 0 0" InfoText "255 255 255" \
      Menu "0 0 0" MenuText "255 255 255" Background "0 0 0" AppWorkSpace "0 0 0" \
      Scrollbar "0 0 0" WindowFrame "255 255 255" ActiveTitle "128 0 128" TitleText "255 255 255" \
      >>"$reg"
  fi
  WINEPREFIX=$p "$wine" reg import "Z:${reg//\//\\}" >/dev/null 2>&1
  WINEPREFIX=$p "$VEL_WINESERVER" -w
  rm -f "$reg"
}

# vel_prefix NAME [--fresh] [--dpi N] [--high-contrast] [--i686]: print the
# path of prefix NAME, a copy of the template set up as asked:
#   --dpi N           the screen at N DPI (the template's is 96)
#   --high-contrast   a black high-contrast colour scheme
#   --i686            runs 32-bit programs too: a copy of the template the
#                     emulated 32-bit Wine made, run by its wine64 (vel_wine64)
#   --fresh           an existing copy is replaced
# The prefix keeps its settings in vel-prefix.settings: one that was made with
# other settings is made again.
vel_prefix() {
  local name=$1 p=$VEL_STATE_DIR/prefix-$1 fresh= dpi= contrast= i686= settings wine
  shift
  while [ $# -gt 0 ]; do
    case $1 in
      --fresh) fresh=1 ;;
      --dpi) dpi=${2:?vel_prefix: --dpi needs a number}; shift ;;
      --high-contrast) contrast=1 ;;
      --i686) i686=--i686 ;;
      *) echo "vel_prefix: unknown setting $1" >&2; return 2 ;;
    esac
    shift
  done
  settings=${dpi:+--dpi $dpi }${contrast:+--high-contrast }$i686
  settings=${settings% }
  wine=$VEL_WINE64
  [ -z "$i686" ] || wine=$VEL_WOW64
  vel_template $i686
  (
    flock 9
    if [ -d "$p" ] && { [ -n "$fresh" ] || [ "$(cat "$p/vel-prefix.settings" 2>/dev/null)" != "$settings" ] ||
                        [ ! -f "$p/vel-prefix.settings" ]; }; then
      WINEPREFIX=$p "$VEL_WINESERVER" -k >/dev/null 2>&1 || true
      WINEPREFIX=$p "$VEL_WINESERVER" -w >/dev/null 2>&1 || true
      rm -rf "$p"
    fi
    if [ ! -d "$p" ]; then
      _vel_copy_prefix "$VEL_TEMPLATE${i686:+-i686}" "$p.tmp.$$"
      _vel_prefix_looks "$p.tmp.$$" "$wine" "$dpi" "$contrast"
      printf '%s\n' "$settings" >"$p.tmp.$$/vel-prefix.settings"
      mv "$p.tmp.$$" "$p"
    fi
  ) 9>"$VEL_STATE_DIR/prefix-$name.lock"
  echo "$p"
}

# Keep one wineserver alive for the prefix: a program then starts in ~0.1 s.
vel_wineserver() {
  WINEPREFIX=$1 "$VEL_WINESERVER" -p >/dev/null 2>&1 </dev/null || true
}

vel_wineserver_stop() {
  WINEPREFIX=$1 "$VEL_WINESERVER" -k >/dev/null 2>&1 || true
}
