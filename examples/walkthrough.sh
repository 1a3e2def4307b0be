#!/bin/sh
# The examiner's walk-through of docs/grading.md, step by step as written there,
# with the lab task; two candidates are played by batch runs between steps 4
# and 5. Runs without a display. Usage: walkthrough.sh [FOLDER] (default: a
# new temporary folder); vxrdat and vxr must be on PATH.
set -eu
examples=$(cd "$(dirname "$0")" && pwd)
work=${1:-$(mktemp -d)}
mkdir -p "$work"
cd "$work"
rm -rf examples && ln -s "$examples" examples

vxrdat build examples/lab/task.json start.DAT          # 1. the start record
mkdir -p try/DATAS && cp start.DAT try/DATAS/VXR.DAT   # 2. do the task once (C: is the folder try)
VXR_DRIVE_C=try vxr -CLONE,MODE=PDUMP,SRC=1:1,DST='D:\IMAGES\LAB.VXI' -Z1 -PWD=LAB1 -SURE
vxrdat expect start.DAT try/DATAS/VXR.DAT >expect.json # 3. paste the list into the task, trim, rebuild
for c in anna ben; do mkdir -p class/$c/DATAS && cp start.DAT class/$c/DATAS/VXR.DAT; done  # 4. one copy each

# The candidates: anna does the job; ben forgets the password and then
# restores C: from an old image, which wipes C:\WINDOWS.
VXR_DRIVE_C=class/anna vxr -CLONE,MODE=PDUMP,SRC=1:1,DST='D:\IMAGES\LAB.VXI' -Z1 -PWD=LAB1 -SURE
VXR_DRIVE_C=class/ben vxr -CLONE,MODE=PDUMP,SRC=1:1,DST='D:\IMAGES\LAB.VXI' -Z1 -SURE
VXR_DRIVE_C=class/ben vxr -CLONE,MODE=PLOAD,SRC='D:\BACKUP\SYSTEM.VXI:1',DST=1:1 -SURE

status=0                                               # 5. grade them all
vxrdat check --csv class.csv --report reports examples/lab/task.json class/*/DATAS/VXR.DAT || status=$?

# What the walk-through must show: anna passes, ben does not, and the
# reports are there; the expect list of step 3 passes the examiner's own run.
test "$status" -eq 1
grep -q '^class/anna/DATAS/VXR.DAT,7,7,100,' class.csv
grep -q '^class/ben/DATAS/VXR.DAT,' class.csv
test -s reports/class_anna_DATAS_VXR.DAT.txt
grep -q FAILED reports/class_ben_DATAS_VXR.DAT.txt
grep -q "C: left as it was.*FAILED" reports/class_ben_DATAS_VXR.DAT.txt
{ vxrdat dump --json start.DAT | sed '$d'; printf ',\n"expect": '; cat expect.json; echo '}'; } >derived-task.json
vxrdat check derived-task.json try/DATAS/VXR.DAT >/dev/null
# Its guards catch ben's restore over C: by disk too.
vxrdat check derived-task.json class/ben/DATAS/VXR.DAT | grep -q 'disk 1 changed: partitions\[0\]\.directories'
echo "walk-through done in $work"
