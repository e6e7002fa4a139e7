#!/usr/bin/env bash
# Runs a command against a private print scheduler with no printers, never
# the machine's own: a cupsd of its own in a temporary folder, listening on a
# socket there. The command finds it through CUPS_SERVER, its process through
# QUARVEL_SCHEDULER (to stop it, as a print service that no longer answers)
# and the folder through QUARVEL_SPOOL (printers print into
# QUARVEL_SPOOL/out; HOME lies there too). However the command ends, the
# scheduler is resumed and ended, anything mounted in the folder unmounted
# and the folder removed.
#
#   spooler.sh [--timeout SECONDS] COMMAND [ARG...]
set -euo pipefail
limit=50
[ "${1:-}" != --timeout ] || { limit=$2; shift 2; }
PATH=$PATH:/usr/sbin:/sbin
# Under /tmp, not $TMPDIR: a socket's path must stay under 108 bytes.
dir=$(mktemp -d /tmp/quarvel-print.XXXXXX)
scheduler=

stop() {
  local status=$?
  # A stopped scheduler would hold the TERM until it goes on.
  [ -z "$scheduler" ] || { kill -CONT "$scheduler" && kill -TERM "$scheduler" && wait "$scheduler"; } 2>/dev/null || true
  [ "$status" = 0 ] || cat "$dir/log/error_log" >&2 2>/dev/null || true
  awk -v d="$dir/" 'index($2, d) == 1 { print $2 }' /proc/mounts | xargs -r umount -l 2>/dev/null || true
  rm -rf "$dir"
  exit "$status"
}
trap stop EXIT
trap 'exit 143' HUP INT TERM

umask 022
mkdir -p "$dir"/{conf,spool,cache,state,log,out,home,client}
chmod 755 "$dir"
# cupsd runs no job as root, and its Group and SystemGroup must differ. An
# ordinary user's cupsd runs all as that user.
if [ "$(id -u)" = 0 ]; then
  user=lp group=lp
  chown lp:lp "$dir"/{spool,cache,state,log,out}
else
  user=$(id -un) group=$(id -gn)
fi
# Its policy lets any local user add, refuse and stop printers.
cat >"$dir/cupsd.conf" <<EOF
Listen $dir/cups.sock
Browsing No
LogLevel error
DefaultPolicy open
<Policy open>
<Limit All>
Order deny,allow
</Limit>
</Policy>
EOF
cat >"$dir/cups-files.conf" <<EOF
ServerRoot $dir/conf
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
Printcap $dir/printcap
FileDevice Yes
User $user
Group $group
SystemGroup root
EOF
# The scheduler and the command die with this script, even killed outright.
# The scheduler has a session of its own: stopped, it would otherwise be
# sent SIGHUP and SIGCONT (and reset its connections) by the kernel once the
# process group it shared with the caller lost its last tie to the caller's
# shell. Not a group leader here, setsid keeps the process id.
setpriv --pdeathsig KILL setsid cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" &
scheduler=$!

# No client settings, default printer or options of the machine or the user.
export CUPS_SERVER=$dir/cups.sock CUPS_SERVERROOT=$dir/client QUARVEL_SCHEDULER=$scheduler QUARVEL_SPOOL=$dir
export HOME=$dir/home
unset LPDEST PRINTER XDG_CONFIG_HOME XDG_STATE_HOME XDG_DATA_HOME
running() { [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ]; }
for _ in $(seq 100); do running && break || sleep 0.1; done
running || { echo "spooler.sh: the private scheduler did not start (packages cups, cups-client?)" >&2; exit 1; }
# In the background, so that a signal to this script is handled at once.
setpriv --pdeathsig TERM timeout --kill-after=5 "$limit" "$@" &
wait $!
