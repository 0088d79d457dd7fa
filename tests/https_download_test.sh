#!/usr/bin/env bash
# An https download address really speaks TLS, and a server whose
# certificate nobody vouches for is refused: the download fails with the
# system's description, nothing is put in place and nothing starts.
#   tests/https_download_test.sh BIN
set -euo pipefail
bin=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$(mktemp -d)
server=
cleanup() {
    [ -n "$server" ] && kill "$server" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/launcher" "$work/run"
cp "$bin/login_driver.exe" "$work/launcher/"

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 \
    -keyout "$work/key.pem" -out "$work/cert.pem" >/dev/null 2>&1
# What a client that trusts the certificate would get: a complete program.
cp "$bin/fake_client.exe" "$work/client.exe"

python3 - "$work/cert.pem" "$work/key.pem" "$work/client.exe" "$work/server.log" >"$work/port" <<'PY' &
import socket, ssl, sys
cert, key, body, log = sys.argv[1:5]
context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
context.load_cert_chain(cert, key)
listener = socket.socket()
listener.bind(("127.0.0.1", 0))
listener.listen(8)
print(listener.getsockname()[1], flush=True)
data = open(body, "rb").read()
listener.settimeout(60)
with open(log, "a") as out:
    while True:
        connection, _ = listener.accept()
        connection.settimeout(10)
        try:
            tls = context.wrap_socket(connection, server_side=True)
            out.write("tls handshake done\n")
            out.flush()
            tls.recv(65536)
            tls.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\nConnection: close\r\n\r\n" % len(data) + data)
            tls.close()
        except Exception as error:
            out.write("tls failed: %s\n" % error)
            out.flush()
            connection.close()
PY
server=$!
for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.05; done
port=$(cat "$work/port")

output=$(cd "$work/run" && "$root/scripts/wine" "$work/launcher/login_driver.exe" \
    --download-url "https://127.0.0.1:$port/nqel/gamelaunch/tarvo_vk_launch_1.exe" \
    payload '{"uid":"1","token":"T","server_id":"2","sign":"S"}' | tr -d '\r')
log=$(cat "$work/server.log" 2>/dev/null || true)
[ -z "${HTTPS_TEST_VERBOSE:-}" ] || printf "%s\n%s\n" "$output" "$log" >&2

failed=0
check() {
    if ! eval "$2"; then
        printf 'FAIL %s\n' "$1" >&2
        failed=$((failed + 1))
    fi
}
lead='progress
messagebox 【下载失败】 | 下载游戏客户端失败：网络错误 '
check "the download fails with a network error and its system text" \
    '[[ "$output" == "$lead"12*（*）* ]] && [[ "$output" == *"no quit" ]]'
check "the request spoke TLS (server saw: ${log:-nothing})" \
    '[ -n "$log" ] && ! grep -qiE "http_request|wrong_version" <<<"$log"'
check "nothing is put in place" '[ "$(ls "$work/launcher")" = login_driver.exe ]'
if [ "$failed" -gt 0 ]; then
    printf 'driver said:\n%s\n' "$output" >&2
    echo "0 passed, $failed failed"
    exit 1
fi
echo "3 passed, 0 failed"
