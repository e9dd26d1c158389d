#include "standin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace StandIn
{

QString writeYtdlp(const QString &folder)
{
    QDir().mkpath(folder);
    const QString script = folder + QStringLiteral("/yt-dlp");
    const QString writer = folder + QStringLiteral("/writer");
    QFile::remove(writer);
    QFile::link(QStringLiteral("/bin/sleep"), writer);
    QFile f(script);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(R"(#!/bin/sh
# A stand-in for yt-dlp whose download starts a writer that outlives a plain SIGTERM.
here="${0%/*}"
job=other
out=
prev=
for a in "$@"; do
  case "$a" in
    --write-info-json) job=info ;;
    --progress-template) job=download ;;
  esac
  [ "$prev" = "-o" ] && out="$a"
  prev="$a"
done
case "$job" in
info)
  dir="${out%/*}"
  printf '%s' '{"id":"standin","title":"Stand-in","formats":[{"format_id":"18","ext":"mp4","vcodec":"avc1","acodec":"mp4a","width":160,"height":90,"filesize":100000}]}' > "$dir/standin.info.json"
  echo "[info] Writing video metadata as JSON to: $dir/standin.info.json"
  ;;
download)
  (trap '' TERM; exec "$here/writer" 600) &
  echo "[download] Destination: $out"
  wait
  ;;
*)
  exit 1
  ;;
esac
)");
    f.close();
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return script;
}

bool processMentions(const QByteArray &needle)
{
    const QString self = QString::number(QCoreApplication::applicationPid());
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &pid : pids) {
        if (pid == self || pid.toInt() <= 0)
            continue;
        QFile cmdline(QStringLiteral("/proc/") + pid + QStringLiteral("/cmdline"));
        if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(needle))
            return true;
    }
    return false;
}

} // namespace StandIn
