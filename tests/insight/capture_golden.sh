#!/usr/bin/env bash
# Captures what the real GoldSource tools print for each case under tests/golden/insight/<case>/: the map beside
# it is compiled in a scratch folder and each stage's output kept byte for byte (CRs included) as <stage>.out.
# The limit case's map is made here: 470 func_walls fill the models table past 90%.
#   tests/insight/capture_golden.sh [tools folder]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
tools="${1:-${FERROWIND_GOLDSRC_TOOLS:-$root/../shared/tools/goldsrc/bin}}"
golden="$root/tests/golden/insight"
wad="$root/../shared/fixtures/bsp/boxroom.wad"

make_limit_map() {
  local room="$golden/clean/clean.map"
  # The world and its entities, then the func_walls: 8-unit cubes on a grid inside the room.
  cat "$room"
  local n=0 x y
  for ((x = -220; x <= 200 && n < 470; x += 20)); do
    for ((y = -220; y <= 200 && n < 470; y += 20)); do
      printf '{\n"classname" "func_wall"\n{\n'
      printf '( %d 0 0 ) ( %d 64 0 ) ( %d 0 64 ) BOXWALL [ 0 1 0 0 ] [ 0 0 -1 0 ] 0 1 1\n' $x $x $x
      printf '( %d 0 0 ) ( %d 0 64 ) ( %d 64 0 ) BOXWALL [ 0 1 0 0 ] [ 0 0 -1 0 ] 0 1 1\n' $((x + 8)) $((x + 8)) $((x + 8))
      printf '( 0 %d 0 ) ( 0 %d 64 ) ( 64 %d 0 ) BOXWALL [ 1 0 0 0 ] [ 0 0 -1 0 ] 0 1 1\n' $y $y $y
      printf '( 0 %d 0 ) ( 64 %d 0 ) ( 0 %d 64 ) BOXWALL [ 1 0 0 0 ] [ 0 0 -1 0 ] 0 1 1\n' $((y + 8)) $((y + 8)) $((y + 8))
      printf '( 0 0 16 ) ( 64 0 16 ) ( 0 64 16 ) BOXWALL [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1\n'
      printf '( 0 0 24 ) ( 0 64 24 ) ( 64 0 24 ) BOXWALL [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1\n'
      printf '}\n}\n'
      n=$((n + 1))
    done
  done
}

for folder in "$golden"/*/; do
  case_name="$(basename "$folder")"
  scratch="$(mktemp -d)"
  if [ "$case_name" = limit ]; then
    make_limit_map > "$scratch/$case_name.map"
  else
    cp "$folder/$case_name.map" "$scratch/"
  fi
  cp "$wad" "$scratch/"
  rm -f "$folder"/*.out
  (
    cd "$scratch"
    # Each stage as a compile script runs it; a failing stage ends the case as the script's error menu would.
    "$tools/sdHLCSG" "$case_name" > "$folder/csg.out" 2>&1 &&
      "$tools/sdHLBSP" "$case_name" > "$folder/bsp.out" 2>&1 &&
      "$tools/sdHLVIS" -fast "$case_name" > "$folder/vis.out" 2>&1 &&
      "$tools/sdHLRAD" -fast -bounce 0 -chop 512 -texchop 512 "$case_name" > "$folder/rad.out" 2>&1 ||
      echo "$case_name: a stage failed with $?"
  )
  rm -rf "$scratch"
done
