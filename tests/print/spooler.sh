#!/usr/bin/env bash
# Runs a command against a private print scheduler with no printers, never
# the machine's own: a cupsd of its own in a temporary folder, listening on a
# socket there. The command finds it through CUPS_SERVER, its process through
# QUARVEL_SCHEDULER (to stop it with SIGSTOP, as a print service that no
# longer answers) and the folder through QUARVEL_SPOOL (printers print into
# QUARVEL_SPOOL/out; HOME and XDG_CONFIG_HOME lie there too). However the
# command ends, the scheduler is resumed and ended, anything the command
# mounted in the folder is unmounted, and the folder is removed.
#
#   spooler.sh [--timeout SECONDS] COMMAND [ARG...]
#
# As root the scheduler runs its jobs as lp (it refuses to run them as root);
# as an ordinary user it runs everything as that user. Its policy lets any
# local user administer it, so the command can add, refuse and stop printers
# without being in a system group.
set -euo pipefail

limit=50
if [ "${1:-}" = --timeout ]; then
  limit=$2
  shift 2
fi
[ $# -gt 0 ] || { echo "usage: $0 [--timeout SECONDS] COMMAND [ARG...]" >&2; exit 2; }

for tool in cupsd lpadmin lpstat setpriv timeout; do
  command -v "$tool" >/dev/null || PATH=$PATH:/usr/sbin:/sbin
  command -v "$tool" >/dev/null || { echo "spooler.sh: $tool is missing (packages cups, cups-client)" >&2; exit 1; }
done

# Under /tmp, not $TMPDIR: a socket path must stay under 108 bytes.
dir=$(mktemp -d /tmp/quarvel-print.XXXXXX)
scheduler=
command=

stop() {
  local status=$?
  trap - EXIT
  if [ -n "$command" ] && kill -0 "$command" 2>/dev/null; then
    kill -TERM "$command" 2>/dev/null || true
    wait "$command" 2>/dev/null || true
  fi
  if [ -n "$scheduler" ]; then
    # A stopped scheduler would hold the TERM until it goes on.
    kill -CONT "$scheduler" 2>/dev/null || true
    kill -TERM "$scheduler" 2>/dev/null || true
    for _ in $(seq 50); do
      kill -0 "$scheduler" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "$scheduler" 2>/dev/null || true
    wait "$scheduler" 2>/dev/null || true
  fi
  if [ "$status" -ne 0 ] && [ -s "$dir/log/error_log" ]; then
    echo "--- the private scheduler's log ---" >&2
    cat "$dir/log/error_log" >&2
  fi
  # Deepest first, should one lie in another.
  awk -v d="$dir/" 'index($2, d) == 1 { print $2 }' /proc/mounts | sort -r | while read -r point; do
    umount -l "$point" 2>/dev/null || true
  done
  rm -rf "$dir"
  exit "$status"
}
trap stop EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

mkdir -p "$dir"/{conf/ppd,spool/tmp,cache,state,log,out,home/Documents,config}
chmod 755 "$dir"

if [ "$(id -u)" -eq 0 ]; then
  user=lp group=lp system=root
  chown -R lp:lp "$dir"/{spool,cache,state,log,out}
  # Jobs run as lp; the test writes nothing there but reads what they leave.
  chmod 755 "$dir"/out
else
  # An ordinary user cannot change to another user: cupsd then runs jobs as
  # itself and only checks that Group and SystemGroup differ.
  user=$(id -un) group=$(id -gn) system=root
  [ "$group" != root ] || system=$(id -un)
fi

cat >"$dir/cupsd.conf" <<EOF
Listen $dir/cups.sock
Browsing No
DefaultAuthType None
WebInterface No
LogLevel warn
MaxLogSize 0
DefaultPolicy open
<Policy open>
  JobPrivateAccess default
  JobPrivateValues default
  SubscriptionPrivateAccess default
  SubscriptionPrivateValues default
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
<Location />
  Order allow,deny
  Allow localhost
</Location>
EOF

cat >"$dir/cups-files.conf" <<EOF
ServerRoot $dir/conf
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
Printcap $dir/printcap
CreateSelfSignedCerts no
ServerBin /usr/lib/cups
DataDir /usr/share/cups
FileDevice Yes
User $user
Group $group
SystemGroup $system
EOF

# The scheduler dies with this script even when the script is killed outright.
setpriv --pdeathsig KILL cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" &
scheduler=$!

# The command and the tools it calls talk to this scheduler only: no client
# settings, default printer or printer options of the machine or the user.
export CUPS_SERVER=$dir/cups.sock
export CUPS_SERVERROOT=$dir/client
export QUARVEL_SCHEDULER=$scheduler
export HOME=$dir/home
# Apart from HOME, so that a test sees which of the two a program honours.
export XDG_CONFIG_HOME=$dir/config
export QUARVEL_SPOOL=$dir
unset LPDEST PRINTER
mkdir -p "$CUPS_SERVERROOT"

for _ in $(seq 100); do
  lpstat -r >/dev/null 2>&1 && break
  kill -0 "$scheduler" 2>/dev/null || { echo "spooler.sh: the private scheduler did not start" >&2; exit 1; }
  sleep 0.1
done
lpstat -r >/dev/null 2>&1 || { echo "spooler.sh: the private scheduler does not answer" >&2; exit 1; }

# In the background, so that a signal to this script is handled at once
# rather than when the command ends; the command, too, goes if the script is
# killed outright.
setpriv --pdeathsig TERM timeout --kill-after=5 "$limit" "$@" &
command=$!
wait "$command"
