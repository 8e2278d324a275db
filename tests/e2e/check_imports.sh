#!/usr/bin/env bash
# The program must start on the oldest Windows it is built for: see check_imports.py.
exec python3 "$(dirname "$0")/check_imports.py" "$@"
