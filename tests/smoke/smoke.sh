#!/bin/sh
# Starts the real program under a virtual X server, waits for its main
# window, checks that the data files exist, and saves a screenshot.
# Usage: smoke.sh <moquan executable> <screenshot.png>
set -u
EXE="$1"
SHOT="$2"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export MOQUAN_HOME="$WORK/data" HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" MOQUAN_MUTE=1
mkdir -p "$HOME"

cat > "$WORK/inner.sh" <<INNER
#!/bin/sh
"$EXE" > "$WORK/out.log" 2>&1 &
PID=\$!
i=0
while [ \$i -lt 40 ]; do
    if xwininfo -root -tree 2>/dev/null | grep -q '墨泉进销存'; then break; fi
    sleep 0.5; i=\$((i+1))
done
sleep 1
xwininfo -root -tree > "$WORK/tree.txt" 2>&1
import -window root "$SHOT" 2>/dev/null
kill \$PID 2>/dev/null
wait \$PID 2>/dev/null
exit 0
INNER
chmod +x "$WORK/inner.sh"
xvfb-run -a -s "-screen 0 1024x768x24" "$WORK/inner.sh"

fail=0
grep -q '墨泉进销存' "$WORK/tree.txt" || { echo "main window not found"; cat "$WORK/tree.txt"; fail=1; }
[ -s "$MOQUAN_HOME/tarikemo.dll" ] || { echo "database missing"; fail=1; }
[ -s "$MOQUAN_HOME/rivi.kemotari" ] || { echo "settings file missing"; fail=1; }
if [ -s "$MOQUAN_HOME/tarikemo.dll" ]; then
    tables=$(sqlite3 "$MOQUAN_HOME/tarikemo.dll" "select count(*) from sqlite_master where type='table' and name in ('备忘','产品','顾客','进货','课程','类别','品牌','销售')")
    [ "$tables" = "8" ] || { echo "tables: $tables"; fail=1; }
fi
if [ -s "$MOQUAN_HOME/rivi.kemotari" ]; then
    if grep -a -q -e '自动备份' -e '软件设置' "$MOQUAN_HOME/rivi.kemotari"; then echo "settings readable"; fail=1; fi
fi
[ $fail -eq 0 ] && echo "smoke ok"
cat "$WORK/out.log"
exit $fail
