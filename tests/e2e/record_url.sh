#!/bin/sh
# Stands in for the web browser during the end-to-end run: Wine's browser launcher hands
# it the address the program opened, and it appends that address to a log file.
printf '%s\n' "$1" >> "${KESTROW_URL_LOG:?}"
