#!/usr/bin/env bash
# A throwaway PostgreSQL server for the tests: its data and its Unix socket in DIR, nothing on
# any network. initdb refuses to run as root, so under root (CI) the server runs as the postgres
# user. Exit 77 (a skip) when the server's programs are not installed.
#   pg-test-server.sh start DIR     a new server (or the one in DIR again), waited for
#   pg-test-server.sh fresh DIR     whatever DIR held removed first, then start
#   pg-test-server.sh stop DIR      stopped at once, as a crash or a pulled cable would
#   pg-test-server.sh destroy DIR   stopped and removed
# Clients connect with: host=DIR/sock port=5432 user=postgres dbname=postgres
set -euo pipefail
cmd=${1:?start, stop or destroy}
dir=${2:?a folder}
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)
if [[ -z "$bin" || ! -x "$bin/initdb" ]]; then
  echo "PostgreSQL's server programs are not installed (postgresql-15): the server tests are skipped"
  exit 77
fi
as=()
[[ $(id -u) -eq 0 ]] && as=(runuser -u postgres --)

# The server's programs as the user they run as. Where that user may not write /dev/null (a
# container with a locked-down /dev), they get a /dev/null of their own in a mount namespace.
run() {
  if [[ ${#as[@]} -gt 0 ]] && ! "${as[@]}" sh -c ': >/dev/null' 2>/dev/null; then
    [[ -c "$dir/null" ]] || { mknod "$dir/null" c 1 3 && chmod 666 "$dir/null"; }
    unshare --mount --propagation private -- sh -c 'mount --bind "$0" /dev/null && exec "$@"' "$dir/null" "${as[@]}" "$@"
  else
    "${as[@]}" "$@"
  fi
}

if [[ $cmd == fresh ]]; then
  "$0" destroy "$dir"
  mkdir -p "$dir"
  cmd=start
fi

case $cmd in
  start)
    if [[ ! -f "$dir/data/PG_VERSION" ]]; then
      mkdir -p "$dir/sock"
      [[ ${#as[@]} -gt 0 ]] && chown -R postgres "$dir"
      run "$bin/initdb" -D "$dir/data" -A trust -U postgres --no-sync >"$dir/initdb.log" 2>&1
    fi
    run "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 start \
      -o "-k $dir/sock -c listen_addresses='' -p 5432 -c fsync=off -c max_connections=60" >/dev/null
    ;;
  stop)
    run "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
    ;;
  destroy)
    [[ -f "$dir/data/PG_VERSION" ]] && { run "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true; }
    rm -rf "$dir"
    ;;
  *)
    echo "unknown command $cmd" >&2
    exit 2
    ;;
esac
