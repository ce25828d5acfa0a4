#!/usr/bin/env bash
# Tries the Debian package the way an estimator's machine gets it: a fresh
# Debian 12 root made with debootstrap, the package installed with apt-get
# (which must pull every dependency), then, as a new user with an empty home,
# the statements of the installed sample and the window's first start under
# a virtual X server, photographed. Needs root and the network; not for CI.
# Usage: tools/try-package.sh [yoheki_*.deb] [root-folder] [output-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(realpath "${1:-$(ls -t yoheki_*.deb | head -1)}")
root=${2:-/var/tmp/yoheki-debian12}
out=$(realpath -m "${3:-try-package}")
user=estimator
mkdir -p "$out"

if [ ! -x "$root/usr/bin/apt-get" ]; then
  echo "== debootstrap bookworm into $root"
  debootstrap --variant=minbase bookworm "$root" >"$out/debootstrap.log"
fi

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" || true; done
}
trap cleanup EXIT
for fs in proc sys dev dev/pts; do
  mountpoint -q "$root/$fs" || { mount --bind "/$fs" "$root/$fs"; mounted+=("$root/$fs"); }
done
cp /etc/resolv.conf "$root/etc/resolv.conf"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }
as_user() {
  chroot --userspec="$user:$user" "$root" env -i PATH=/usr/bin:/bin LANG=C.UTF-8 \
    HOME="/home/$user" sh -c "cd && $1"
}

echo "== apt-get install ./$(basename "$deb")"
cp "$deb" "$root/tmp/"
in_root apt-get update -qq
in_root sh -c "cd /tmp && DEBIAN_FRONTEND=noninteractive apt-get install -y -q ./$(basename "$deb")" \
  >"$out/install.log"
tail -n 3 "$out/install.log"

if ! in_root id "$user" >/dev/null 2>&1; then
  mkdir -p "$root/tmp/empty-skel"
  in_root useradd --create-home --skel /tmp/empty-skel "$user"
fi
echo "== home of $user before: $(as_user 'ls -A | wc -l') entries"

echo "== yoheki-batch text /usr/share/yoheki/見本工事.Fa1 (shown as UTF-8)"
as_user 'yoheki-batch text /usr/share/yoheki/見本工事.Fa1' >"$out/statements.cp932"
iconv -f CP932 -t UTF-8 "$out/statements.cp932" >"$out/statements.txt"
head -n 12 "$out/statements.txt"
echo "... $(wc -l <"$out/statements.txt") lines"

echo "== tools for looking at it (not needed by the package)"
in_root sh -c "DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
  xvfb xauth xdotool imagemagick xdg-utils libfile-mimeinfo-perl desktop-file-utils" \
  >"$out/tools.log"

echo "== desktop-file-validate"
in_root desktop-file-validate /usr/share/applications/yoheki.desktop && echo "valid"
echo "== xdg-mime"
as_user 'cp /usr/share/yoheki/見本工事.Fa1 x.Fa1 && xdg-mime query filetype x.Fa1 &&
  xdg-mime query default application/x-yoheki-project && rm x.Fa1'

echo "== xvfb-run yoheki (first start)"
as_user 'xvfb-run -a -s "-screen 0 1280x960x24" sh -c "
  yoheki & pid=\$!
  sleep 6; import -window root first-start.png
  xdotool key Return; sleep 3; import -window root project-dialog.png
  kill \$pid"' || true
cp "$root/home/$user"/*.png "$out/"
echo "== home of $user after:"
as_user 'find . -type f | sort'
echo "== settings made for $user:"
iconv -f CP932 -t UTF-8 "$root/home/$user/.local/share/yoheki/Qrtt.dat" | grep -A2 '出力ファイル名'
echo "screenshots: $out/first-start.png $out/project-dialog.png"
