#!/usr/bin/env bash
# A print server of the test run's own, with a PDF printer as its default destination.
# Usage: private_cups.sh <dir>   (prints the CUPS_SERVER socket path; the server runs until
# its process, whose pid is in <dir>/cupsd.pid, is killed)
set -euo pipefail
dir=$1
mkdir -p "$dir"/{spool,tmp,cache,state}
chmod 777 "$dir/tmp"
cat >"$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
WebInterface No
Browsing No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF
cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/error_log
AccessLog $dir/access_log
PageLog $dir/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
CONF
/usr/sbin/cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" </dev/null >/dev/null 2>&1 &
echo $! >"$dir/cupsd.pid"
export CUPS_SERVER=$dir/cups.sock
# lpstat -r succeeds either way; its words tell whether the scheduler answers.
for _ in $(seq 200); do
  [ "$(LC_ALL=C lpstat -r 2>/dev/null)" = "scheduler is running" ] && break
  sleep 0.05
done
# pdftocairo keeps the text of the page extractable (pdftotext reads the sheet back).
lpadmin -p Malrechnen-PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
        -o pdftops-renderer-default=pdftocairo 2>/dev/null
lpadmin -d Malrechnen-PDF
echo "$CUPS_SERVER"
