#!/usr/bin/env bash
# Starts the printing service when it is not running and adds the PDF printer
# "PDF" (the machine's default printer stays as it is: the tests name the
# queue they print to). When it started the service it prints "started <pid>",
# so the caller can stop exactly that process again.
set -euo pipefail

# The scheduler's own answer, not the process table: a cupsd that is exiting
# (or a zombie) still shows there but answers no request.
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
  mkdir -p /run/cups
  # In the foreground of its own background job, so its process id is known;
  # its output must not hold the caller's command substitution open.
  cupsd -f </dev/null >/dev/null 2>&1 &
  echo "started $!"
fi
for _ in $(seq 1 50); do
  lpstat -r 2>/dev/null | grep -q "is running" && break
  sleep 0.2
done
if ! lpstat -p PDF >/dev/null 2>&1; then
  lpadmin -p PDF -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -E \
    -o pdftops-renderer-default=pdftocairo >&2
fi
