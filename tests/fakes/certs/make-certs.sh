#!/usr/bin/env bash
# Regenerates the certificates the loopback test servers use. Run it from any
# folder; it writes next to itself, or into the folder given as its argument.
# The files next to it are committed; the fake agency's tests get a fresh
# set in the build folder on every run (a CTest fixture runs this script). They are valid from 2000 to 2125 on purpose: a
# machine whose clock is behind the one that made them (or far ahead) must
# still accept them.
#
#   ca.pem                 test CA (tests trust it explicitly)
#   server.pem/.key        127.0.0.1 and localhost, signed by the test CA
#   other-ca.pem           an unrelated CA nobody trusts
#   other-server.pem/.key  127.0.0.1 and localhost, signed by the other CA
#   wrong-host.pem/.key    another host name only, signed by the test CA
set -euo pipefail
out="${1:-$(dirname "${BASH_SOURCE[0]}")}"
mkdir -p "$out"
cd "$out"
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
[ wrong_host_ext ]
basicConstraints = critical, CA:FALSE
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = DNS:agency.invalid
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

make_server() { # name, ca name, subject, [extensions]
  openssl req -new -newkey rsa:2048 -nodes -subj "$3" \
    -keyout "$1.key" -out "$work/$1.csr" 2>/dev/null
  sign "$work/$1.csr" "$1.pem" "$work/$2.key" "${4:-server_ext}" "$2.pem"
}

make_ca ca "/CN=Loopback Test CA"
make_ca other-ca "/CN=Unrelated Test CA"
make_server server ca "/CN=127.0.0.1"
make_server other-server other-ca "/CN=127.0.0.1"
make_server wrong-host ca "/CN=agency.invalid" wrong_host_ext
echo "certificates written to $(pwd)"
