#!/usr/bin/env bash
# Starts the machine's CUPS spooler when it is not running and makes "PDF", a queue whose
# jobs come out as PDF files in the folder given, the default printer. velk's printing tests
# print to it under Wine and read the files back. Needs root (or sudo), like the set-up.
# Wine reads the printer list when a program starts: run this before any Wine program of a
# test run.
set -euo pipefail

out=${1:?usage: print-queue.sh OUTPUT-FOLDER}
mkdir -p "$out"
chmod 1777 "$out"
out=$(cd "$out" && pwd)

source "$(dirname "${BASH_SOURCE[0]}")/as-root.sh"

# lpstat exits 0 whether or not the scheduler runs; only its words tell.
spooler_running() {
    [[ $(lpstat -r 2>/dev/null) == "scheduler is running" ]]
}

as_root sed -i "s|^Out .*|Out $out|" /etc/cups/cups-pdf.conf
# The back end reads its configuration per job, so a running spooler needs no restart.
if ! spooler_running; then
    as_root cupsd
fi
waited=0
until spooler_running; do
    if [[ $waited -ge 100 ]]; then
        echo "print-queue: cupsd did not start" >&2
        exit 1
    fi
    sleep 0.1
    waited=$((waited + 1))
done
if ! lpstat -p PDF >/dev/null 2>&1; then
    as_root lpadmin -p PDF -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -E
fi
as_root lpadmin -d PDF
