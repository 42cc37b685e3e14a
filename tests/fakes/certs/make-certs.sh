#!/usr/bin/env bash
# Regenerates the certificates the loopback test servers use. Run it from any
# folder; it writes next to itself. The files are committed, so tests never
# need openssl at run time. Validity is about a hundred years on purpose.
#
#   ca.pem                 test CA (tests trust it explicitly)
#   server.pem/.key        127.0.0.1 and localhost, signed by the test CA
#   other-ca.pem           an unrelated CA nobody trusts
#   other-server.pem/.key  127.0.0.1 and localhost, signed by the other CA
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
days=36500
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cat > "$work/server.ext" <<'EXT'
basicConstraints = critical, CA:FALSE
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = IP:127.0.0.1, DNS:localhost
EXT

make_ca() { # name, subject
  openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days "$days" \
    -subj "$2" -keyout "$work/$1.key" -out "$1.pem" \
    -addext "basicConstraints=critical,CA:TRUE" \
    -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null
}

make_server() { # name, ca name, subject
  openssl req -new -newkey rsa:2048 -nodes -sha256 -subj "$3" \
    -keyout "$1.key" -out "$work/$1.csr" 2>/dev/null
  openssl x509 -req -sha256 -days "$days" -in "$work/$1.csr" \
    -CA "$2.pem" -CAkey "$work/$2.key" -CAcreateserial -CAserial "$work/$2.srl" \
    -extfile "$work/server.ext" -out "$1.pem" 2>/dev/null
}

make_ca ca "/CN=Loopback Test CA"
make_ca other-ca "/CN=Unrelated Test CA"
make_server server ca "/CN=127.0.0.1"
make_server other-server other-ca "/CN=127.0.0.1"
echo "certificates written to $(pwd)"
