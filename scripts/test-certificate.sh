#!/usr/bin/env bash
# Makes a throwaway code-signing certificate for the tests: scripts/test-certificate.sh <folder>
# writes ca.pem (a test certificate authority of its own), signer.p12 (a signing certificate it
# issued, with its key) and password (the file's password, made up here) into the folder. Nothing
# of it is trusted anywhere; the tests verify signatures against ca.pem alone.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: test-certificate <folder>" >&2; exit 2; }
mkdir -p "$1"
cd "$1"
openssl rand -hex 16 >password
openssl req -x509 -newkey rsa:3072 -sha256 -days 2 -nodes -keyout ca.key -out ca.pem \
  -subj "/CN=NOLT-Fr test authority" \
  -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign 2>/dev/null
openssl req -newkey rsa:3072 -sha256 -nodes -keyout signer.key -out signer.csr \
  -subj "/CN=NOLT-Fr test signer" 2>/dev/null
printf '%s\n' basicConstraints=CA:FALSE keyUsage=critical,digitalSignature extendedKeyUsage=codeSigning >signer.ext
openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 -sha256 \
  -extfile signer.ext -out signer.pem 2>/dev/null
openssl pkcs12 -export -inkey signer.key -in signer.pem -certfile ca.pem -out signer.p12 \
  -passout "file:password"
rm -f ca.key ca.srl signer.key signer.csr signer.ext signer.pem
