#!/usr/bin/env bash
# (filled in by its own area)
set -euo pipefail
