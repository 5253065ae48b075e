#!/usr/bin/env bash
# Creates the test certificate authority and the server certificate of the local configuration
# server: tools/config_server/make_certs.sh [folder] (default: the project's git-ignored .certs).
#   ca.pem / ca.key          the test CA; only ever trusted inside the project's Wine prefixes
#   server.pem / server.key  "localhost" and 127.0.0.1, signed by the CA
# Idempotent: a valid set (server certificate signed by the CA and good for at least another day)
# is left alone, so the CA that a prefix already trusts stays the same. Parallel runs serialise on
# a lock in the folder. Nothing outside the folder is touched.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
dir=${1:-$root/.certs}
mkdir -p "$dir"
cd "$dir"

exec 9>"$dir/.lock"
flock 9

valid_set() {
  [ -s ca.pem ] && [ -s ca.key ] && [ -s server.pem ] && [ -s server.key ] || return 1
  openssl verify -CAfile ca.pem server.pem >/dev/null 2>&1 || return 1
  openssl x509 -in server.pem -noout -checkend 86400 >/dev/null 2>&1 || return 1
  openssl x509 -in ca.pem -noout -checkend 86400 >/dev/null 2>&1
}

if valid_set; then
  exit 0
fi

work=$(mktemp -d "$dir/.new.XXXXXX")
trap 'rm -rf "$work"' EXIT

openssl req -x509 -newkey rsa:2048 -sha256 -nodes -days 3650 \
  -keyout "$work/ca.key" -out "$work/ca.pem" \
  -subj "/CN=Tessaro Test CA/O=Tessaro development" \
  -addext "basicConstraints=critical,CA:TRUE" \
  -addext "keyUsage=critical,keyCertSign,cRLSign" \
  -addext "subjectKeyIdentifier=hash" >/dev/null 2>&1

openssl req -newkey rsa:2048 -sha256 -nodes \
  -keyout "$work/server.key" -out "$work/server.csr" -subj "/CN=localhost" >/dev/null 2>&1

cat >"$work/server.ext" <<'EXT'
basicConstraints=critical,CA:FALSE
keyUsage=critical,digitalSignature,keyEncipherment
extendedKeyUsage=serverAuth
subjectAltName=DNS:localhost,IP:127.0.0.1
authorityKeyIdentifier=keyid
EXT
openssl x509 -req -in "$work/server.csr" -CA "$work/ca.pem" -CAkey "$work/ca.key" -CAcreateserial \
  -sha256 -days 825 -extfile "$work/server.ext" -out "$work/server.pem" >/dev/null 2>&1

chmod 600 "$work/ca.key" "$work/server.key"
# Keys first, certificates last: a reader never sees a certificate without its key.
for f in ca.key server.key ca.pem server.pem; do mv -f "$work/$f" "$dir/$f"; done
echo "certificates: created a new test CA and server certificate in $dir"
