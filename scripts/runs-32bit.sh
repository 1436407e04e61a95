#!/usr/bin/env bash
# Exits 0 when this machine can run 32-bit x86 programs, which Wine needs for velk.exe. Some
# virtual machines run only 64-bit code: there the 32-bit loader fails with "Exec format error".
exec /lib/ld-linux.so.2 --version >/dev/null 2>&1
