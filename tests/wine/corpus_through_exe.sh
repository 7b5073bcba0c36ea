#!/usr/bin/env bash
# Runs every case of the compiler's corpus through scriptdesk-compile.exe under Wine, as a
# Script.bat would run it in place of the game's compiler: the same arguments in a folder holding
# the inputs; and once through a real Script.bat. Each case must give the game's exit status, its WARNING/ERROR lines and, when it
# succeeded, its .DAT files byte for byte. Exit status 77 (skipped) when the corpus is absent.
set -uo pipefail
wine="$1" exe="$2" corpus="$3"

if [[ ! -f "$corpus/INDEX.md" ]]; then
  echo "SKIPPED: the corpus is not there: $corpus"
  exit 77
fi

# Cases where the game's compiler reads through a null pointer, hangs or writes an unusable
# file: the core tests (GoldenCorpus) check what scriptdesk-compile does instead.
declare -A exempt=(
  [extensions_odd]="an empty Cut= read through a null pointer"
  [strings_labels]="labels read through a null pointer"
  [hang_long_word]="the game's compiler hangs"
  [hang_residentcut_0]="the game's compiler hangs"
  [levels_255_wrap]="the game's compiler writes a slot count of 0"
  [usage_no_arguments]="the usage text is the tool's own"
)

field() { sed -n "s/^$1: //p" "$2" | tr -d '\r'; }
messages() { grep -a -E '^(ERROR|WARNING) : ' "$1" | tr -d '\r'; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cases=0 failed=0 skipped=0
for folder in "$corpus"/*/; do
  name="$(basename "$folder")"
  [[ -f "$folder/case.txt" ]] || continue
  if [[ -n "${exempt[$name]:-}" ]]; then
    echo "SKIPPED $name: ${exempt[$name]}"
    skipped=$((skipped + 1))
    continue
  fi
  cases=$((cases + 1))
  dir="$work/$name"
  mkdir "$dir"
  read -r -a inputs <<<"$(field inputs "$folder/case.txt")"
  read -r -a command <<<"$(field command "$folder/case.txt")"
  for input in "${inputs[@]}"; do cp "$folder/$input" "$dir/"; done
  (cd "$dir" && "$wine" "$exe" "${command[@]:1}" >"$work/$name.console" 2>&1)
  status=$?
  problems=()
  expected_status="$(tr -dc '0-9' <"$folder/exit_status.txt")"
  [[ "$status" == "$expected_status" ]] || problems+=("exit status $status, expected $expected_status")

  # Our messages carry "(file, line n)" after the game's text.
  mapfile -t want < <(messages "$folder/console.txt")
  mapfile -t got < <(messages "$work/$name.console")
  if ((${#want[@]} != ${#got[@]})); then
    problems+=("${#got[@]} messages, expected ${#want[@]}")
  else
    for i in "${!want[@]}"; do
      [[ "${got[i]}" == "${want[i]}" || "${got[i]}" == "${want[i]} ("* ]] ||
        problems+=("message \"${got[i]}\", expected \"${want[i]}\"")
    done
  fi

  read -r -a outputs <<<"$(field outputs "$folder/case.txt")"
  produced=()
  for file in "$dir"/*; do
    base="$(basename "$file")"
    [[ " ${inputs[*]} " == *" $base "* ]] || produced+=("$base")
  done
  if [[ "$expected_status" == 0 ]]; then
    expected=()
    for output in "${outputs[@]}"; do
      [[ "$output" == STRINGS.H ]] || expected+=("$output")  # the game does not read it
    done
    [[ "$(printf '%s\n' "${produced[@]}" | sort)" == "$(printf '%s\n' "${expected[@]}" | sort)" ]] ||
      problems+=("wrote ${produced[*]:-nothing}, expected ${expected[*]}")
    for output in "${expected[@]}"; do
      cmp -s "$folder/$output" "$dir/$output" || problems+=("$output differs")
    done
  elif ((${#produced[@]})); then
    problems+=("a failed compile wrote ${produced[*]}")
  fi

  if ((${#problems[@]})); then
    failed=$((failed + 1))
    echo "FAILED $name:"
    printf '  %s\n' "${problems[@]}"
    sed 's/^/  | /' "$work/$name.console"
  fi
done

# As a builder uses it: Script.bat names it where the game's compiler stood.
dir="$work/script_bat"
mkdir "$dir"
cp "$corpus/minimal/script.txt" "$corpus/minimal/ENGLISH.TXT" "$exe" "$dir/"
printf '%s\r\n' '@echo off' 'scriptdesk-compile script.txt' >"$dir/Script.bat"
cases=$((cases + 1))
if ! (cd "$dir" && "$wine" cmd /d /c Script.bat >"$work/script_bat.console" 2>&1) ||
  ! cmp -s "$corpus/minimal/SCRIPT.DAT" "$dir/SCRIPT.DAT"; then
  failed=$((failed + 1))
  echo "FAILED Script.bat calling $(basename "$exe") on the minimal case:"
  sed 's/^/  | /' "$work/script_bat.console"
fi

echo "$cases cases run through $(basename "$exe") under Wine, $failed failed, $skipped skipped"
((cases > 0 && failed == 0))
