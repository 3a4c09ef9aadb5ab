#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for the tests.
#
#   pgcluster.sh start <dir>   creates a cluster in a temporary folder of its own, starts it on
#                              a free port listening on 127.0.0.1 only, waits until it accepts
#                              connections and writes <dir>/conninfo (one libpq connection
#                              string for the superuser `postgres`).
#   pgcluster.sh stop <dir>    stops the cluster <dir> names and removes its folder.
#
# Run by root, the cluster belongs to the `postgres` system user and initdb and pg_ctl run as
# that user; run by anyone else, they run as that person. Either way the superuser is named
# `postgres` and only connections from this machine (the loopback address or the cluster's own
# socket folder) are let in, without a password. A cluster left behind by an earlier start on
# the same <dir> is stopped first.
set -euo pipefail

usage() { echo "usage: $0 start|stop <dir>" >&2; exit 2; }
[ $# -eq 2 ] || usage
action=$1
dir=$2

# The folder of initdb, pg_ctl and postgres: pg_config's, else the newest installed version.
bindir() {
  local b
  if command -v pg_config >/dev/null 2>&1; then
    b=$(pg_config --bindir 2>/dev/null || true)
    if [ -x "$b/initdb" ] && [ -x "$b/pg_ctl" ]; then echo "$b"; return; fi
  fi
  for b in $(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V -r); do
    if [ -x "$b/initdb" ] && [ -x "$b/pg_ctl" ]; then echo "$b"; return; fi
  done
  echo "pgcluster: no initdb/pg_ctl found; run tools/packages.sh (postgresql)" >&2
  exit 1
}

# Runs a command as the cluster's owner, from a folder that owner can enter.
as_owner() {
  if [ "$(id -u)" -eq 0 ]; then
    (cd / && runuser -u postgres -- "$@")
  else
    (cd / && "$@")
  fi
}

stop_cluster() {
  local record="$dir/cluster" cluster
  [ -f "$record" ] || return 0
  cluster=$(cat "$record")
  if [ -n "$cluster" ] && [ -d "$cluster" ]; then
    if [ -f "$cluster/data/postmaster.pid" ]; then
      as_owner "$(bindir)/pg_ctl" -D "$cluster/data" -m fast -w -t 60 stop >/dev/null || true
    fi
    rm -rf -- "$cluster"
  fi
  rm -f -- "$record" "$dir/conninfo"
}

# A port nothing on the loopback address answers on (the start still retries when another
# program takes it in between).
free_port() {
  local port tries
  for tries in $(seq 1 50); do
    port=$(( 20000 + (RANDOM * 32768 + RANDOM) % 40000 ))
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then echo "$port"; return; fi
  done
  echo "pgcluster: no free port found" >&2
  exit 1
}

start_cluster() {
  local bin cluster port attempt conninfo
  bin=$(bindir)
  mkdir -p "$dir"
  stop_cluster

  local base=${TMPDIR:-/tmp}
  # The postgres user must reach the folder; root's own temporary folder may be closed to it.
  if [ "$(id -u)" -eq 0 ] && ! runuser -u postgres -- test -x "$base"; then base=/tmp; fi
  cluster=$(mktemp -d "$base/tanzo-pg.XXXXXX")
  echo "$cluster" > "$dir/cluster"
  if [ "$(id -u)" -eq 0 ]; then
    chown postgres:postgres "$cluster"
  fi
  chmod 700 "$cluster"

  # UTF-8 with the C locale: names in any script, texts ordered by their bytes.
  as_owner "$bin/initdb" -D "$cluster/data" -U postgres -E UTF8 --locale=C \
    -A trust --no-instructions >"$cluster/initdb.log" 2>&1 || {
    cat "$cluster/initdb.log" >&2
    exit 1
  }
  # Only this machine comes in: the socket folder and the loopback address.
  as_owner sh -c "cat > '$cluster/data/pg_hba.conf'" <<'EOF'
local all all trust
host  all all 127.0.0.1/32 trust
EOF
  # A cluster for tests: nothing in it needs to survive a crash of the machine.
  as_owner sh -c "cat >> '$cluster/data/postgresql.conf'" <<EOF
listen_addresses = '127.0.0.1'
unix_socket_directories = '$cluster'
fsync = off
synchronous_commit = off
full_page_writes = off
max_connections = 50
EOF

  for attempt in 1 2 3 4 5; do
    port=$(free_port)
    if as_owner "$bin/pg_ctl" -D "$cluster/data" -l "$cluster/server.log" -o "-p $port" -w -t 60 start >/dev/null; then
      conninfo="host=127.0.0.1 port=$port user=postgres dbname=postgres"
      # pg_ctl has waited for the server; check that it takes a connection on the port.
      for _ in $(seq 1 60); do
        if "$bin/pg_isready" -q -h 127.0.0.1 -p "$port" -U postgres -d postgres; then
          echo "$conninfo" > "$dir/conninfo.tmp"
          mv -f "$dir/conninfo.tmp" "$dir/conninfo"
          echo "pgcluster: $conninfo ($cluster)"
          return 0
        fi
        sleep 0.5
      done
      echo "pgcluster: the server started but does not accept connections" >&2
      cat "$cluster/server.log" >&2
      stop_cluster
      exit 1
    fi
    # Most likely the port was taken in between: try another.
    tail -n 5 "$cluster/server.log" >&2 || true
  done
  echo "pgcluster: the server did not start" >&2
  stop_cluster
  exit 1
}

case "$action" in
  start) start_cluster ;;
  stop) stop_cluster ;;
  *) usage ;;
esac
