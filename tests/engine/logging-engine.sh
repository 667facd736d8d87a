#!/bin/sh
# Starts an engine and appends every command it is given to a log:
#   logging-engine.sh LOG ENGINE [ARGUMENTS...]
log="$1"
shift
tee -a "$log" | "$@"
