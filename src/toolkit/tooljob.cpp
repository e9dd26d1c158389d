#include "toolkit/tooljob.h"

#include "app/folders.h"
#include "app/format.h"
#include "external/toolargs.h"
#include "platform/childprocess.h"
#include "widgets/filedialogs.h"
#include "widgets/messagedialogs.h"

#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QRegularExpression>
#include <QWidget>

#include <cmath>

Q_LOGGING_CATEGORY(lcToolkit, "clipwright.toolkit")

namespace ToolJob
{
QString mediaFilter()
{
    return QStringLiteral("Media (*.mp4 *.mpeg *.mpg *.asf *.avi *.DV *.flv *.M2TS *.M4V *.mkv *.MOD *.mov *.MTS "
                          "*.RA *.3g2 *.3gp *.rm *.rmvb *.td *.TOD *.trp *.ts *.vob *.wmv *asf *.aac *.ac3 *.aiff "
                          "*.amr *.ape *.flac *.iff *.m4a *.mka *.mp2 *.mp3 *.ogg *.ra *.wav *.wma *.aac *.ac3 *.amr)");
}

QString outputBase(const QString &input)
{
    const QFileInfo info(input);
    QString name = info.fileName();
    name.remove(QLatin1Char('.') + info.suffix(), Qt::CaseSensitive);
    const int slash = input.lastIndexOf(QLatin1Char('/'));
    return input.left(slash + 1) + name;
}

QString freeOutputName(const QString &base, const QString &mark, const QString &ext)
{
    QString candidate = base + mark + QLatin1Char('.') + ext;
    for (int n = 0; QFile::exists(candidate); ++n)
        candidate = base + mark + QStringLiteral(" (") + QString::number(n) + QStringLiteral(").") + ext;
    return candidate;
}

QString freeSiblingName(const QString &input, const QString &mark)
{
    return freeOutputName(outputBase(input), mark, QFileInfo(input).suffix());
}

QString freeJoinName(const QString &folder, const QString &ext)
{
    QString candidate = folder + QStringLiteral("Join_file.") + ext;
    for (int n = 0; QFile::exists(candidate); ++n)
        candidate = folder + QStringLiteral("Join_file(") + QString::number(n) + QStringLiteral(").") + ext;
    return candidate;
}

namespace
{
// The h:m:s after "Duration:" in text that starts at the marker.
qint64 lengthAfterMarker(QString text)
{
    const int comma = text.indexOf(QLatin1Char(','));
    if (comma >= 0)
        text.truncate(comma);
    text.remove(ConverterText::Duration);
    return parseTimeText(text.trimmed().left(8));
}
} // namespace

qint64 durationIn(const QString &text)
{
    const int at = text.indexOf(ConverterText::Duration);
    if (at < 0)
        return -1;
    return lengthAfterMarker(text.mid(at));
}

qint64 totalDurationIn(const QString &text)
{
    qint64 total = 0;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const int at = line.indexOf(ConverterText::Duration);
        if (at >= 0)
            total += lengthAfterMarker(line.mid(at));
    }
    return total;
}

int progressIn(const QString &text, qint64 duration)
{
    if (duration <= 0)
        return -1;
    int progress = -1;
    for (const QString &rawPiece : text.split(ConverterText::FrameMarker)) {
        const QString piece = rawPiece.trimmed();
        const int timeAt = piece.indexOf(ConverterText::Time);
        if (timeAt < 0)
            continue;
        const int bitrateAt = piece.indexOf(ConverterText::Bitrate, timeAt);
        QString time = bitrateAt < 0 ? piece.mid(timeAt) : piece.mid(timeAt, bitrateAt - timeAt);
        time = time.remove(ConverterText::Time).trimmed();
        if (time.isEmpty() || time.indexOf(QLatin1Char(':'), 1) < 0)
            continue;
        const qint64 elapsed = parseTimeText(time.left(8));
        const float share = float(elapsed) * 10000.0f / float(duration);
        // A report before the start (negative time) shows as nothing done yet.
        progress = int(qBound(0.0f, share, 9999.0f));
    }
    return progress;
}

QString percentText(int progress)
{
    return QString::number(progress / 100) + QLatin1Char('.') + QString::number(progress % 100) + QLatin1Char('%');
}

bool keepOutput(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (info.exists() && info.size() <= 1024)
        QFile::remove(path);
    return QFileInfo::exists(path);
}

int displayRotationIn(const QString &text)
{
    static const QRegularExpression matrix(QStringLiteral("displaymatrix: rotation of (-?[0-9.]+) degrees"));
    const QRegularExpressionMatch match = matrix.match(text);
    if (!match.hasMatch())
        return 0;
    // Only what is left of the whole turns matters, and that always fits an int.
    const double degrees = std::fmod(match.captured(1).toDouble(), 360.0);
    return std::isfinite(degrees) ? qRound(degrees) : 0;
}

QStringList pickFiles(QWidget *page, bool several, const QString &caption, const QString &filter)
{
    const QString folder = resolveFolderSetting(Settings::Key::addVideoPath);
    QStringList chosen;
    if (several)
        chosen = FileDialogs::openFiles(page, caption, folder, filter);
    else if (const QString one = FileDialogs::openFile(page, caption, folder, filter); !one.isEmpty())
        chosen << one;
    if (!chosen.isEmpty()) {
        const QString first = chosen.first();
        saveStringSetting(Settings::Key::addVideoPath, first.left(first.lastIndexOf(QLatin1Char('/')) + 1));
    }
    return chosen;
}
} // namespace ToolJob

// ---------------------------------------------------------------------------

QString ConverterOutput::take(const QByteArray &bytes)
{
    m_pending += bytes;
    const int end = qMax(m_pending.lastIndexOf('\n'), m_pending.lastIndexOf('\r'));
    if (end < 0)
        return QString();
    const QString whole = QString::fromLocal8Bit(m_pending.constData(), end + 1);
    m_pending.remove(0, end + 1);
    return whole;
}

QString ConverterOutput::flush()
{
    const QString rest = QString::fromLocal8Bit(m_pending);
    m_pending.clear();
    return rest;
}

void ConverterOutput::clear()
{
    m_pending.clear();
}

// ---------------------------------------------------------------------------

namespace
{
// How long a stop waits for a killed run: the window must not freeze on a converter
// stuck on slow storage.
const int kStopWaitMs = 400;
} // namespace

ToolJobRunner::ToolJobRunner(QWidget *page) : QObject(page), m_page(page), m_process(nullptr)
{
    attachProcess();
}

ToolJobRunner::~ToolJobRunner()
{
    // The page is going away: nothing may be judged or shown any more.
    m_abort = true;
    m_process->disconnect(m_page);
    if (m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(kStopWaitMs);
    }
}

void ToolJobRunner::attachProcess()
{
    m_process = new ChildProcess(this);
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    connect(m_process, SIGNAL(readyReadStandardOutput()), m_page, SLOT(ffmpegProcess_StandardOutput_slots()));
    connect(m_process, SIGNAL(finished(int)), m_page, SLOT(ffmpegProcess_Finished(int)));
    connect(m_process, SIGNAL(errorOccurred(QProcess::ProcessError)), this,
            SLOT(processError_slots(QProcess::ProcessError)));
}

void ToolJobRunner::abandonProcess()
{
    QProcess *stuck = m_process;
    stuck->disconnect(m_page);
    stuck->disconnect(this);
    stuck->setParent(nullptr);
    const QString partial = m_outputPath;
    connect(stuck, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), stuck, [stuck, partial] {
        if (!partial.isEmpty())
            QFile::remove(partial);
        stuck->deleteLater();
    });
    qCDebug(lcToolkit).noquote() << "ToolJobRunner::stop: the killed converter has not ended yet; left to end alone";
    attachProcess();
}

QProcess *ToolJobRunner::process() const
{
    return m_process;
}

void ToolJobRunner::start(const QString &program, const QStringList &arguments, const QString &output)
{
    m_output.clear();
    m_abort = false;
    m_running = true;
    m_outputPath = output;
    m_startedRuns << arguments;
    qCDebug(lcToolkit).noquote() << "ToolJobRunner::start" << program << arguments.join(QLatin1Char(' '));
    m_process->start(program, arguments, QIODevice::ReadWrite);
}

void ToolJobRunner::stop()
{
    m_abort = true;
    // A run that already ended by itself has written a whole output, even if not yet judged.
    if (m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        if (m_process->waitForFinished(kStopWaitMs)) {
            if (!m_outputPath.isEmpty())
                QFile::remove(m_outputPath);
        } else {
            abandonProcess();
        }
    }
    m_running = false;
    m_output.clear();
}

bool ToolJobRunner::acceptFinish()
{
    const bool wanted = m_running && !m_abort;
    m_running = false;
    return wanted;
}

void ToolJobRunner::processError_slots(QProcess::ProcessError error)
{
    if (error != QProcess::FailedToStart || !m_running)
        return;
    qCDebug(lcToolkit).noquote() << "ToolJobRunner: the converter did not start:" << m_process->errorString();
    // No finished(int) follows a failed start; the page judges the run as if it had ended.
    QMetaObject::invokeMethod(m_page, "ffmpegProcess_Finished", Qt::QueuedConnection, Q_ARG(int, -1));
}

QString ToolJobRunner::readOutput()
{
    const QByteArray out = m_process->readAllStandardOutput();
    const QByteArray err = m_process->readAllStandardError();
    if (!out.isEmpty())
        qCDebug(lcToolkit, "%s", out.constData());
    if (!err.isEmpty())
        qCDebug(lcToolkit, "Error: %s", err.constData());
    QString text = m_output.take(out);
    if (m_process->state() == QProcess::NotRunning)
        text += m_output.flush();
    return text;
}

void ToolJobRunner::readDuration(const QString &text)
{
    if (text.isEmpty() || m_duration > 0)
        return;
    const qint64 seconds = ToolJob::durationIn(text);
    if (seconds >= 0)
        m_duration = seconds;
}

int ToolJobRunner::readProgress(const QString &text)
{
    if (text.isEmpty())
        return -1;
    if (m_duration <= 0) {
        readDuration(text);
        return -1;
    }
    return ToolJob::progressIn(text, m_duration);
}

void ToolJobRunner::showMessage(const QString &text, const QString &okText)
{
    if (!m_message)
        m_message = std::make_unique<MyMessageDialog>();
    m_message->setMessage(text);
    m_message->singleButton(okText);
    centerOnMainWindow(m_message.get());
    m_message->exec();
}
