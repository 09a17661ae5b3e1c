#!/bin/sh
# Lighthouse's mobile audit of the web page as make run-web serves it: prints the four
# scores, FCP, LCP and CLS. Usage: tools/lighthouse.sh SITE PORT [REPORT.json]
set -eu
site=$1 port=$2 report=${3:-build-web/lighthouse.json}
tool=build-web/lighthouse/node_modules/.bin/lighthouse
# 12.2.3 is the last Lighthouse that runs on Debian's Node 20.
[ -x "$tool" ] || npm install --prefix build-web/lighthouse --no-audit --no-fund --loglevel=error \
    lighthouse@12.2.3
log=build-web/lighthouse-server.log
(cd "$site" && exec python3 -u -m http.server "$port" --bind 127.0.0.1) >"$log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null' EXIT
# Serving once bound; a port another program holds ends the run.
until grep -q '^Serving HTTP' "$log"; do
    kill -0 $server 2>/dev/null || { cat "$log" >&2; exit 1; }
    sleep 0.2
done
url=http://127.0.0.1:$port/
CHROME_PATH=/usr/bin/chromium "$tool" "$url" --quiet --output=json --output-path="$report" \
    --chrome-flags="--headless --no-sandbox --disable-gpu"
jq -r '(.categories[] | "\(.id): \(.score * 100 | round)"),
       (.audits | "FCP \(.["first-contentful-paint"].displayValue), LCP \(.["largest-contentful-paint"].displayValue), CLS \(.["cumulative-layout-shift"].numericValue)")' "$report"
