#!/usr/bin/env bash
# Regenerates the certificates the loopback test servers use. Run it from any
# folder; it writes next to itself. The files are committed, so tests never
# need openssl at run time. They are valid from 2000 to 2125 on purpose: a
# machine whose clock is behind the one that made them (or far ahead) must
# still accept them.
#
#   ca.pem                 test CA (tests trust it explicitly)
#   server.pem/.key        127.0.0.1 and localhost, signed by the test CA
#   other-ca.pem           an unrelated CA nobody trusts
#   other-server.pem/.key  127.0.0.1 and localhost, signed by the other CA
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
start=20000101000000Z
end=21250101000000Z
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cat > "$work/ca.cnf" <<CNF
[ ca ]
default_ca = test_ca
[ test_ca ]
database = $work/index.txt
new_certs_dir = $work
serial = $work/serial
default_md = sha256
policy = any_name
unique_subject = no
copy_extensions = none
[ any_name ]
commonName = supplied
[ ca_ext ]
basicConstraints = critical, CA:TRUE
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash
[ server_ext ]
basicConstraints = critical, CA:FALSE
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = IP:127.0.0.1, DNS:localhost
authorityKeyIdentifier = keyid
CNF

sign() { # csr, out, signing key, extensions, [issuer certificate]
  : > "$work/index.txt"
  openssl rand -hex 16 > "$work/serial"
  local issuer=(-selfsign)
  [ $# -ge 5 ] && issuer=(-cert "$5")
  openssl ca -batch -notext -config "$work/ca.cnf" -startdate "$start" -enddate "$end" \
    -keyfile "$3" "${issuer[@]}" -extensions "$4" -in "$1" -out "$2" 2>/dev/null
}

make_ca() { # name, subject
  openssl req -new -newkey rsa:2048 -nodes -subj "$2" \
    -keyout "$work/$1.key" -out "$work/$1.csr" 2>/dev/null
  sign "$work/$1.csr" "$1.pem" "$work/$1.key" ca_ext
}

make_server() { # name, ca name, subject
  openssl req -new -newkey rsa:2048 -nodes -subj "$3" \
    -keyout "$1.key" -out "$work/$1.csr" 2>/dev/null
  sign "$work/$1.csr" "$1.pem" "$work/$2.key" server_ext "$2.pem"
}

make_ca ca "/CN=Loopback Test CA"
make_ca other-ca "/CN=Unrelated Test CA"
make_server server ca "/CN=127.0.0.1"
make_server other-server other-ca "/CN=127.0.0.1"
echo "certificates written to $(pwd)"
