#!/bin/sh
# Stands in for the web browser: records each address it is asked to open
# in the Wine prefix of the test session.
printf '%s\n' "$*" >> "${WINEPREFIX:?}/opened-links.log"
