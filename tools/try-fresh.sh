#!/usr/bin/env bash
# Tries the README's two commands the way a new user meets them: a fresh
# Debian 12 minbase root made with debootstrap, a clean clone of this
# repository's checked-out commit, and the commands exactly as README.md shows
# them, run there as root with no locale and no display. Reports each
# command's exit status, the test summary line and whatever was installed
# other than by the commands themselves (which must be nothing); fails when
# any of that is wrong.
#
# The first command finds no display, so it writes the sample's statements
# without the window. It is then run a second time as on a desktop, with Qt's
# offscreen platform standing in for the screen: the window must still be up
# when a timeout ends it (exit 124); ending before that (a missing library, a
# crash, a refusal to start) is a failure.
#
# Every run starts from a new root; only downloaded packages are kept between
# runs (debootstrap's and apt's, checked against the archive's signed lists
# when used). Needs root, debootstrap and Debian's package mirror, taken from
# apt's configured sources.
# Usage: tools/try-fresh.sh [--keep]   (--keep: leave the root for a look)
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
keep=false
[ "${1:-}" = --keep ] && keep=true
[ "$(id -u)" -eq 0 ] || { echo "try-fresh: needs root" >&2; exit 2; }
command -v debootstrap >/dev/null || { echo "try-fresh: needs debootstrap" >&2; exit 2; }

suite=bookworm
cache=${YOHEKI_FRESH_CACHE:-/var/cache/yoheki-fresh}
window_seconds=30
mirror=$(apt-cache policy | awk -v s="$suite/main" '$3 == s && /Packages/ {print $2; exit}')
mirror=${mirror:-http://deb.debian.org/debian}
root=$(mktemp -d /var/tmp/yoheki-fresh.XXXXXX)
log=$root.log
mkdir -p "$cache/debootstrap" "$cache/apt/partial" "$log"

# The commands: the lines of README.md's first shell block, comments cut off.
mapfile -t commands < <(awk '/^```sh$/ {n++; next} /^```/ {if (n == 1) exit; next}
                            n == 1 {sub(/[ \t]*#.*/, ""); if ($0 != "") print}' README.md)
[ ${#commands[@]} -eq 2 ] || { echo "try-fresh: expected two commands in README.md" >&2; exit 2; }

mounted=()
cleanup() {
  local i p status=0
  for _ in 1 2 3; do # whatever still runs in the root, and what it started meanwhile
    for p in /proc/[0-9]*; do
      [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill -9 "${p#/proc/}" 2>/dev/null
    done
    sleep 1
  done
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount "${mounted[i]}" || status=1; done
  if $keep || [ $status -ne 0 ] || grep -q " $root/" /proc/mounts; then
    echo "try-fresh: the root stays in $root"
  else
    rm -rf --one-file-system "$root"
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM # through cleanup
mount_in_root() { # type-or-bind source target
  if [ "$1" = bind ]; then mount --bind "$2" "$root/$3"; else mount -t "$1" "$2" "$root/$3"; fi
  mounted+=("$root/$3")
}
# Wall time and processor time of each step (on an idle machine with two
# cores the wall time of a build comes near half its processor time).
step_start=$SECONDS
step_cpu=0
lap() { # sets $lap
  local cpu
  times >"$log/times" # in this shell: its children's time so far
  cpu=$(awk 'END {split($1, u, "m"); split($2, s, "m"); print int(u[1] * 60 + u[2] + s[1] * 60 + s[2])}' "$log/times")
  lap="$((SECONDS - step_start)) s, $((cpu - step_cpu)) s of processor time"
  step_start=$SECONDS
  step_cpu=$cpu
}

echo "== debootstrap --variant=minbase $suite from $mirror"
debootstrap --variant=minbase --cache-dir="$cache/debootstrap" "$suite" "$root" "$mirror" \
  >"$log/debootstrap.log" 2>&1 || { tail -n 20 "$log/debootstrap.log"; exit 1; }
chroot "$root" dpkg-query -W -f='${Package}\n' | sort >"$log/packages-made"
lap
echo "   $(wc -l <"$log/packages-made") packages, $lap"

mount_in_root proc proc proc
mount_in_root sysfs sys sys
mount_in_root bind /dev dev
mount_in_root bind /dev/pts dev/pts
mount_in_root tmpfs tmpfs dev/shm
mount_in_root bind "$cache/apt" var/cache/apt/archives
cp /etc/resolv.conf "$root/etc/resolv.conf"
chroot "$root" apt-mark showmanual | sort >"$log/manual-before"

echo "== git clone (commit $(git rev-parse --short HEAD))"
git clone -q --no-local "$top" "$root/root/yoheki"
git -C "$root/root/yoheki" checkout -q --detach "$(git rev-parse HEAD)"

# As root, with no locale and no display: only PATH, HOME and TERM, and the
# extra variables given.
in_root() { # command-line [NAME=VALUE...]
  local line=$1; shift
  chroot "$root" env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root TERM=dumb "$@" bash -c "cd /root/yoheki && $line"
}
packages() { chroot "$root" dpkg-query -W -f='${Package}\n' | sort; }
packages >"$log/packages-before"
chroot "$root" apt-mark showmanual | sort >"$log/manual-before"

failed=0
report=()
n=0
for line in "${commands[@]}"; do
  n=$((n + 1))
  echo "== $line"
  status=0
  in_root "$line" >"$log/command-$n.log" 2>&1 & # waited for, so that a signal ends it at once
  wait $! || status=$?
  tail -n 3 "$log/command-$n.log" | sed 's/^/   /'
  lap
  echo "   exit status $status, $lap"
  report+=("exit $status  $line  ($lap)")
  [ $status -eq 0 ] || { failed=1; tail -n 40 "$log/command-$n.log"; }
done

# The first command once more as on a desktop: the window must come up and
# still be there after a while.
echo "== QT_QPA_PLATFORM=offscreen ${commands[0]}"
exe=$root/root/yoheki/build/app/yoheki
in_root "${commands[0]}" QT_QPA_PLATFORM=offscreen >"$log/window.log" 2>&1 &
runner=$!
window=
for ((i = 0; i < 600; i++)); do
  sleep 1
  kill -0 $runner 2>/dev/null || break
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/exe" 2>/dev/null)" = "$exe" ] && window=${p#/proc/} && break
  done
  [ -z "$window" ] || break
done
if [ -n "$window" ] && sleep "$window_seconds" && kill -0 "$window" 2>/dev/null; then
  kill "$window"
  report+=("window up for $window_seconds s (then ended)  ${commands[0]}")
else
  failed=1
  report+=("window did not stay up  ${commands[0]}")
  tail -n 40 "$log/window.log"
fi
wait $runner || true
lap
echo "   $lap"

# What the commands installed, for the record: the packages now marked as
# installed by hand that were not before.
by_commands=$(chroot "$root" apt-mark showmanual | sort | comm -13 "$log/manual-before" - | xargs)
by_hand=$(comm -13 "$log/packages-made" "$log/packages-before" | xargs)
summary=$(grep -h -E '^[0-9]+% tests passed' "$log"/command-*.log | tail -n 1 || true)
[ -n "$summary" ] || failed=1
[ -z "$by_hand" ] || failed=1

echo
echo "== Fresh Debian 12 root: the README's commands as root, with no locale and no display"
printf '   %s\n' "${report[@]}"
echo "   tests: ${summary:-no test summary line}"
echo "   installed by hand before the commands: ${by_hand:-nothing}"
echo "   installed by the commands: $(wc -w <<<"$by_commands") packages asked for ($by_commands)"
echo "   time: $SECONDS s in all"
echo "   logs: $log"
exit $failed
