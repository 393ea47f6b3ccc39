#!/bin/sh
# Runs one step of conv's LAME build (cmake/FastLame.cmake) unless that
# build is kept in the cache already.
# Usage: FastLameStep.sh KEPT COMMAND [ARGUMENT...]
kept=$1
shift
[ -f "$kept" ] && exit 0
exec "$@"
