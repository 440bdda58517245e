#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Awkward text through bankctl and Study: quotes, SQL metacharacters, 10,000
# characters, emoji and mixed scripts are stored, exported and shown exactly.
source "$E2E_LIB"
long=; while [ ${#long} -lt 10000 ]; do long+="长文本ab，"; done; long=${long:0:10000}
questions=(
  '他说："靠右行驶"，'"'单引号'"' “全角” ‘单’'
  "'; DROP TABLE Word; -- \"index\" OR 1=1 %_\\"
  "$long"
  '🚗🚦 红灯停 👍🏽 👨‍👩‍👧'
  'Ελληνικά русский العربية עברית 日本語 한국어 हिन्दी'
)
answers=('""'"''"'"' "') ; DELETE FROM Word WHERE ('1'='1" "${long//a/z}" '😀 🛑 stop' 'mixed: ДА 是 نعم')
csv() {  # one field, quoted where it must be, as the exporter writes it
  case $1 in *[,\"]*) local q=${1//\"/\"\"}; printf '"%s"' "$q" ;; *) printf '%s' "$1" ;; esac
}
{
  echo "category,question,answer"
  for i in "${!questions[@]}"; do
    printf '交通安全法律,%s,%s\n' "$(csv "${questions[$i]}")" "$(csv "${answers[$i]}")"
  done
} >"$E2E/bank.csv"
rm -f "$APP/reg.ocx"
"$APP/bankctl" build "$E2E/bank.csv" "$APP" >/dev/null || fail "build"

# Stored: the very bytes.
for i in "${!questions[@]}"; do
  got=$(sqlite3 "$APP/reg.ocx" "SELECT English || char(9) || Chinese FROM Word WHERE \"index\" = $((i + 1))")
  [ "$got" = "${questions[$i]}"$'\t'"${answers[$i]}" ] || fail "row $((i + 1)) stored as: ${got:0:120}"
done
# Exported: byte for byte the source.
"$APP/bankctl" export "$APP/reg.ocx" "$E2E/out.csv" >/dev/null || fail "export"
cmp "$E2E/bank.csv" "$E2E/out.csv" || fail "the export differs from the source"
"$APP/bankctl" export "$APP/reg.ocx" - | cmp - "$E2E/bank.csv" || fail "the export to stdout differs"
"$APP/bankctl" check "$APP/reg.ocx" | grep -q '完整性检查通过，共 5 道题' || fail "check"

# Shown: Study logs each question it puts on screen.
settings ctimeword=1 guageword=1
start Study
pid=$LAST_PID
wait_count 'study.display: record [0-9] of 5 : ' 5 15
# Match the text, not the position.
sed -n 's/^study.display: record [0-9] of 5 : //p' "$LOG" >"$E2E/shown"
for q in "${questions[@]}"; do
  grep -q -F -x -- "$q" "$E2E/shown" || fail "not shown verbatim: ${q:0:60}"
done
shot text_study
source "$(dirname "$E2E_LIB")/faults.sh"
quit_study "$pid"
echo ok
