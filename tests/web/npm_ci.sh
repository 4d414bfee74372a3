#!/usr/bin/env bash
# Installs the browser test's npm packages from the lock file into DIR (a build tree).
#   npm_ci.sh SOURCE_DIR DIR
set -euo pipefail
src=$1 dir=$2
mkdir -p "$dir"
if [ -f "$dir/node_modules/.package-lock.json" ] &&
   cmp -s "$src/package-lock.json" "$dir/package-lock.json"; then
  echo "npm_ci: up to date"
  exit 0
fi
cp "$src/package.json" "$src/package-lock.json" "$dir/"
cd "$dir"
# No browser download: the test drives Debian's Chromium.
PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error
echo "npm_ci: installed $(node -p "require('./node_modules/puppeteer-core/package.json').version") of puppeteer-core"
