#include "ThumbnailSource.h"

#include "EngineRunner.h"
#include "ProtocolWords.h"

#include "core/ChildProcess.h"
#include "core/FileStamp.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <cstring>
#include <utility>

namespace qw {

// The engine's messages on pages it met problems in are many and for developers: shown only
// when the category's debug output is turned on.
Q_LOGGING_CATEGORY(lcThumbnails, "quirewright.thumbnails", QtWarningMsg)

namespace {

namespace pictures = quirekit::protocol::pictures;

// No line the engine writes is longer; a longer one means the output is out of step.
constexpr qsizetype kLongestLine = 128;

bool ParseCount(const QByteArray &text, qint64 &value)
{
    bool ok = false;
    value = text.toLongLong(&ok);
    return ok && value >= 0 && !text.startsWith('+');
}

} // namespace

ThumbnailSource::ThumbnailSource(QObject *parent)
    : QObject(parent), m_enginePath(EngineRunner::EnginePath())
{
    m_cache.setMaxCost(DefaultCacheLimit);
}

ThumbnailSource::~ThumbnailSource()
{
    // Nothing is left to delete the engines still ending later: each is killed, which ends it
    // at once, and deleted here.
    m_engine = nullptr;
    for (QProcess *engine : findChildren<QProcess *>(Qt::FindDirectChildrenOnly)) {
        engine->disconnect(this);
        engine->kill();
        engine->waitForFinished(2000);
        delete engine;
    }
}

void ThumbnailSource::SetEnginePath(const QString &path)
{
    m_enginePath = path;
}

void ThumbnailSource::Open(const QString &document, const FileStamp &identity, int pageCount)
{
    Close();
    m_document = document;
    // As the split's engine runs are told it: the engine reads the file only if it is still
    // this version of it.
    m_documentVariable = EngineRunner::DocumentVariable(identity);
    m_pageCount = qMax(0, pageCount);
    m_restarts = 0;
    m_problem = Problem::None;
    Start();
}

void ThumbnailSource::Close()
{
    StopEngine();
    Forget();
    m_cache.clear();
    m_failed.clear();
    m_state = State::Closed;
    m_document.clear();
    m_pageCount = 0;
}

void ThumbnailSource::Forget()
{
    m_output.clear();
    m_incoming = Incoming();
    m_inFlight.clear();
    m_wanted.clear();
}

void ThumbnailSource::SetWidth(int width)
{
    width = qBound(1, width, MostWidth);
    if (width == m_width)
        return;
    m_width = width;
    // Pages wanted stay wanted, now at this width; those in flight come at the old one and are
    // kept like the others drawn at it.
    Pump();
}

void ThumbnailSource::SetCacheLimit(qint64 bytes)
{
    m_cache.setMaxCost(qMax<qint64>(0, bytes));
}

QImage ThumbnailSource::Thumbnail(int page, bool *exact)
{
    if (exact)
        *exact = false;
    if (page < 1 || page > m_pageCount)
        return {};
    Entry *entry = m_cache.object(page);
    if (entry && entry->drawnFor == m_width) {
        if (exact)
            *exact = true;
        return entry->image;
    }
    if (m_state != State::Unavailable && !m_failed.contains(page)) {
        Want(page);
        Pump();
    }
    if (!entry)
        return {};
    if (entry->shownFor != m_width) {
        // Scaled once, not at every paint, until the page drawn at this width replaces it.
        const int width = qMax(1, qRound(double(entry->image.width()) * m_width / entry->shownFor));
        const int drawnFor = entry->drawnFor;
        Store(page, entry->image.scaledToWidth(width, Qt::SmoothTransformation), drawnFor);
        entry = m_cache.object(page);
        if (!entry)
            return {};
        entry->shownFor = m_width;
    }
    return entry->image;
}

void ThumbnailSource::Prioritize(const QList<int> &pages)
{
    m_wanted.clear();
    for (int page : pages) {
        if (page < 1 || page > m_pageCount || m_failed.contains(page) || Exact(page) || Wanted(page))
            continue;
        m_wanted.append(page);
    }
    Pump();
}

bool ThumbnailSource::Exact(int page)
{
    // Looking counts as a use: the pages asked for first stay longest.
    const Entry *entry = m_cache.object(page);
    return entry && entry->drawnFor == m_width;
}

bool ThumbnailSource::Wanted(int page) const
{
    if (m_wanted.contains(page))
        return true;
    for (const Sent &sent : m_inFlight)
        if (sent.page == page && sent.width == m_width)
            return true;
    return false;
}

void ThumbnailSource::Want(int page)
{
    if (!Wanted(page))
        m_wanted.append(page);
}

void ThumbnailSource::Pump()
{
    while (m_state == State::Ready && m_inFlight.size() < MostInFlight && !m_wanted.isEmpty()) {
        const int page = m_wanted.takeFirst();
        if (Exact(page) || m_failed.contains(page))
            continue;
        m_engine->write(QByteArray::number(page) + ' ' + QByteArray::number(m_width) + '\n');
        m_inFlight.append(Sent{page, m_width});
    }
}

void ThumbnailSource::Start()
{
    m_state = State::Starting;
    Forget();
    auto *engine = new QProcess(this);
    m_engine = engine;
    // Started from the window's thread, which lives as long as the program.
    ChildProcess::EndWithThisProgram(*engine);
    engine->setProgram(m_enginePath);
    engine->setArguments({m_document, ProtocolText(quirekit::protocol::word::RenderPages)});
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(m_documentVariable.section(QLatin1Char('='), 0, 0),
                       m_documentVariable.section(QLatin1Char('='), 1));
    engine->setProcessEnvironment(environment);
    connect(engine, &QProcess::readyReadStandardOutput, this, &ThumbnailSource::ReadOutput);
    // Its messages are for people: traced, never parsed, and drained so that it never waits.
    connect(engine, &QProcess::readyReadStandardError, this, [engine] {
        const QByteArray text = engine->readAllStandardError();
        qCDebug(lcThumbnails).noquote() << QString::fromLocal8Bit(text).trimmed();
    });
    connect(engine, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            GiveUp(Problem::EngineMissing);
    });
    connect(engine, &QProcess::finished, this, [this](int exitCode, QProcess::ExitStatus status) {
        EngineEnded(exitCode, status == QProcess::CrashExit);
    });
    engine->start();
}

void ThumbnailSource::StopEngine()
{
    QProcess *engine = std::exchange(m_engine, nullptr);
    if (!engine)
        return;
    // It writes nothing but pipes, so it is simply killed; it is deleted once it has ended,
    // without waiting for it here (or with this source, should that go first).
    engine->disconnect(this);
    if (engine->state() == QProcess::NotRunning) {
        engine->deleteLater();
        return;
    }
    connect(engine, &QProcess::finished, engine, &QObject::deleteLater);
    engine->kill();
}

void ThumbnailSource::ReadOutput()
{
    QProcess *const engine = m_engine;
    if (!engine)
        return;
    m_output += engine->readAllStandardOutput();
    qsizetype taken = 0;
    bool inStep = true;
    // A reply's receiver may close or open a document: then this engine and its output are gone.
    while (inStep && m_engine == engine) {
        if (m_incoming.bytes >= 0) {
            if (m_output.size() - taken < m_incoming.bytes)
                break;
            const char *pixels = m_output.constData() + taken;
            taken += m_incoming.bytes;
            TakeThumbnail(pixels);
            continue;
        }
        const qsizetype end = m_output.indexOf('\n', taken);
        if (end < 0) {
            inStep = m_output.size() - taken <= kLongestLine;
            break;
        }
        const QByteArray line = m_output.mid(taken, end - taken);
        taken = end + 1;
        inStep = line.size() <= kLongestLine && (m_state == State::Starting ? ReadReadyLine(line) : ReadHeader(line));
    }
    if (m_engine != engine)
        return;
    m_output.remove(0, taken);
    if (!inStep) {
        qCWarning(lcThumbnails) << "the engine's reply is not understood; it is stopped";
        EngineEnded(-1, true);
        return;
    }
    Pump();
}

bool ThumbnailSource::ReadReadyLine(const QByteArray &line)
{
    qint64 pages = 0;
    if (!line.startsWith(ProtocolBytes(pictures::Ready)) || !ParseCount(line.mid(pictures::Ready.size()), pages))
        return false;
    m_state = State::Ready;
    return true;
}

bool ThumbnailSource::ReadHeader(const QByteArray &line)
{
    const QList<QByteArray> words = line.split(' ');
    qint64 page = 0;
    if (m_inFlight.isEmpty() || words.size() < 3 || !ParseCount(words[1], page) || page != m_inFlight.first().page)
        return false;
    const Sent sent = m_inFlight.first();
    if (words[0] == ProtocolBytes(pictures::Failed) && words.size() == 3) {
        m_inFlight.removeFirst();
        // Every reason but a change of the document (which ends the engine, and is told by its
        // exit code) leaves this page without a thumbnail.
        if (words[2] != ProtocolBytes(pictures::Changed)) {
            m_failed.insert(sent.page);
            emit ThumbnailFailed(sent.page);
        }
        return true;
    }
    qint64 width = 0, height = 0, bytes = 0;
    if (words[0] != ProtocolBytes(pictures::Page) || words.size() != 5 || !ParseCount(words[2], width) || !ParseCount(words[3], height)
        || !ParseCount(words[4], bytes) || width < 1 || width > sent.width || height < 1
        || height > qint64(pictures::MostAspect) * sent.width || bytes != width * height * pictures::BytesPerPixel)
        return false;
    m_incoming = Incoming{int(width), int(height), qsizetype(bytes)};
    return true;
}

void ThumbnailSource::TakeThumbnail(const char *pixels)
{
    const Incoming incoming = std::exchange(m_incoming, Incoming());
    const Sent sent = m_inFlight.takeFirst();
    QImage image(incoming.width, incoming.height, QImage::Format_RGB888);
    if (image.isNull()) {
        // Asked again, it would most likely fail again, and again.
        qCWarning(lcThumbnails) << "no memory for the thumbnail of page" << sent.page;
        m_failed.insert(sent.page);
        emit ThumbnailFailed(sent.page);
        return;
    }
    const qsizetype row = qsizetype(incoming.width) * pictures::BytesPerPixel;
    for (int y = 0; y < incoming.height; ++y)
        std::memcpy(image.scanLine(y), pixels + y * row, size_t(row));
    // One drawn at a width given up meanwhile is still better than none until the new one comes.
    if (sent.width == m_width || !Exact(sent.page))
        Store(sent.page, image, sent.width);
    emit ThumbnailReady(sent.page);
}

void ThumbnailSource::Store(int page, const QImage &image, int drawnFor)
{
    // A thumbnail larger than the whole cache still stays, alone, until the next one comes.
    const qint64 cost = qMin<qint64>(image.sizeInBytes(), m_cache.maxCost());
    m_cache.insert(page, new Entry{image, drawnFor, drawnFor}, cost);
}

void ThumbnailSource::EngineEnded(int exitCode, bool crashed)
{
    if (m_state == State::Closed || m_state == State::Unavailable)
        return;
    if (!crashed) {
        switch (exitCode) {
        case EngineExit::DocumentChanged: GiveUp(Problem::DocumentChanged); return;
        case EngineExit::DocumentMissing:
        case EngineExit::NotPdf:
        case EngineExit::Password:
        case EngineExit::Damaged: GiveUp(Problem::DocumentUnreadable); return;
        case EngineExit::Usage: GiveUp(Problem::EngineFailed); return; // another engine than this class speaks to
        default: break;
        }
    }
    qCWarning(lcThumbnails) << "the engine ended unexpectedly:" << (crashed ? "crashed" : "exit code") << exitCode;
    StopEngine();
    if (m_restarts++ > 0) {
        GiveUp(Problem::EngineFailed);
        return;
    }
    // The pages it was drawing may be what stopped it: they are not asked again, so that one
    // page cannot stop every thumbnail.
    for (const Sent &sent : std::as_const(m_inFlight)) {
        if (!m_failed.contains(sent.page)) {
            m_failed.insert(sent.page);
            emit ThumbnailFailed(sent.page);
        }
    }
    const QList<int> wanted = m_wanted;
    Start();
    m_wanted = wanted;
}

void ThumbnailSource::GiveUp(Problem problem)
{
    if (m_state == State::Unavailable || m_state == State::Closed)
        return;
    StopEngine();
    Forget();
    m_state = State::Unavailable;
    m_problem = problem;
    QString why;
    switch (problem) {
    case Problem::EngineMissing:
        why = tr("Page thumbnails cannot be shown: the program's engine (%1) cannot be started.")
                  .arg(QStringLiteral("quirekit.dll"));
        break;
    case Problem::DocumentChanged:
        why = tr("Page thumbnails cannot be shown: the document was changed by another program. Open it again.");
        break;
    case Problem::DocumentUnreadable: why = tr("Page thumbnails cannot be shown: the document cannot be read."); break;
    case Problem::EngineFailed:
    case Problem::None: why = tr("Page thumbnails cannot be shown: the program's engine stopped unexpectedly."); break;
    }
    emit Unavailable(why);
}

} // namespace qw
