#!/bin/sh
# Signs a copy of the built launcher through the build's own signing script,
# with a throw-away CA and code-signing certificate made here (nothing secret
# lives in the source tree), and checks what a release engineer relies on:
# the signature is SHA-256 and verifies against that CA, it does not verify
# against another CA, removing it gives the build's bytes back, and one
# changed byte breaks it. The signed copy is left
# in <out dir> for the test that runs it under Wine.
#   check-signing.sh <source dir> <cmake> <Quarnel.exe> <out dir>
set -eu
src=$1 cmake=$2 built=$3 out=$4
work=$out/pki
rm -rf "$out"
mkdir -p "$work"

fail() { echo "FAIL: $*"; exit 1; }

# A self-signed CA; $1 is the file stem, $2 the common name.
make_ca() {
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=$2" \
    -addext "basicConstraints=critical,CA:TRUE" \
    -addext "keyUsage=critical,keyCertSign,cRLSign" \
    -keyout "$work/$1.key" -out "$work/$1.pem" 2>/dev/null
}

make_ca ca "Quarnel throw-away test CA"
make_ca other-ca "Unrelated throw-away CA"
# The signer's key is encrypted, so the password-file road is taken too.
printf 'throw-away password\n' >"$work/password.txt"
openssl req -newkey rsa:2048 -passout "file:$work/password.txt" -subj "/CN=Quarnel test signer" \
  -keyout "$work/signer.key" -out "$work/signer.csr" 2>/dev/null
printf '%s\n' "basicConstraints=CA:FALSE" "keyUsage=critical,digitalSignature" \
  "extendedKeyUsage=codeSigning" "subjectKeyIdentifier=hash" "authorityKeyIdentifier=keyid" \
  >"$work/signer.ext"
openssl x509 -req -in "$work/signer.csr" -CA "$work/ca.pem" -CAkey "$work/ca.key" \
  -set_serial 2 -days 2 -extfile "$work/signer.ext" -out "$work/signer.pem" 2>/dev/null
cat "$work/signer.pem" "$work/ca.pem" >"$work/chain.pem"

signed=$out/Quarnel.exe
cp "$built" "$signed"
"$cmake" -DQUARNEL_SIGN_FILE="$signed" -DQUARNEL_SIGN_CERT="$work/chain.pem" \
  -DQUARNEL_SIGN_KEY="$work/signer.key" -DQUARNEL_SIGN_PASSWORD_FILE="$work/password.txt" \
  -P "$src/cmake/SignExecutable.cmake" || fail "the signing script failed"
cmp -s "$built" "$signed" && fail "the signing script left the file unchanged"

verify() { osslsigncode verify -CAfile "$1" -in "$2" >"$work/verify.log" 2>&1; }

verify "$work/ca.pem" "$signed" || { cat "$work/verify.log"; fail "the signed launcher does not verify"; }
grep -q "Message digest algorithm *: SHA256" "$work/verify.log" || fail "the signature's digest is not SHA-256"
grep -q "Subject: /CN=Quarnel test signer" "$work/verify.log" || fail "the signer is not the test certificate"
verify "$work/other-ca.pem" "$signed" && fail "the signature verifies against an unrelated CA"

# The signature is all that signing adds: without it the bytes are the build's.
osslsigncode remove-signature -in "$signed" -out "$work/stripped.exe" >/dev/null 2>&1 \
  || fail "the signature cannot be removed"
cmp -s "$built" "$work/stripped.exe" || fail "without its signature the launcher differs from the build"

# One byte of the code, changed after signing.
tampered=$work/tampered.exe
cp "$signed" "$tampered"
offset=$((4096 + 64))
byte=$(od -An -tu1 -j "$offset" -N1 "$tampered" | tr -d ' ')
printf '%b' "$(printf '\\0%03o' $(((byte + 1) % 256)))" \
  | dd of="$tampered" bs=1 seek="$offset" conv=notrunc status=none
cmp -s "$signed" "$tampered" && fail "the byte was not changed"
verify "$work/ca.pem" "$tampered" && fail "a launcher changed after signing still verifies"

rm -rf "$work"
echo "PASS: $(stat -c %s "$signed") bytes signed (SHA-256), verified, tampering detected"
