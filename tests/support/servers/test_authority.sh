#!/bin/sh
# Makes, in the folder $1, a certificate authority of the test's own (authority.pem) and a
# certificate for 127.0.0.1 that it signed (server.pem, server.key), as a host's would be.
set -e
cd "$1"
key="-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes"
openssl req -x509 $key -days 2 -subj "/CN=Ferquor test authority" \
    -keyout authority.key -out authority.pem 2>/dev/null
openssl req $key -subj /CN=127.0.0.1 -keyout server.key -out server.csr 2>/dev/null
printf 'subjectAltName=IP:127.0.0.1\n' >server.ext
openssl x509 -req -in server.csr -CA authority.pem -CAkey authority.key -CAcreateserial \
    -days 2 -extfile server.ext -out server.pem 2>/dev/null
