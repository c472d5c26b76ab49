#include "qt/browser/QtProgramLauncher.h"

#include "core/app/DiscPath.h"
#include "core/app/ReaderEnvironment.h"
#include "core/app/RegularFile.h"
#include "core/app/UrlHost.h"
#include "core/browser/LaunchFailure.h"
#include "core/browser/ProgramFile.h"
#include "qt/app/QtText.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace dv::qt {

namespace {

std::string reason(LaunchFailure failure) {
    return launchFailureText(failure);
}

// xdg-open's exit statuses: 2 the file is not there, 3 no tool to open it
// with, 4 the tool failed.
LaunchFailure failureOfOpener(int exitCode) {
    switch (exitCode) {
    case 2:
        return LaunchFailure::FileNotFound;
    case 3:
        return LaunchFailure::NoApplication;
    default:
        return LaunchFailure::NotOpened;
    }
}

// What the reader's own programs get: not the variables the disc's start
// program set for the runtime it brings.
QProcessEnvironment readerProcessEnvironment() {
    const QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
    Environment current;
    for (const QString& name : system.keys())
        current[toStdString(name)] = toStdString(system.value(name));
    QProcessEnvironment reader;
    for (const auto& [name, value] : readerEnvironment(current))
        reader.insert(toQString(name), toQString(value));
    return reader;
}

} // namespace

std::optional<std::string> QtProgramLauncher::open(const std::string& file,
                                                   const std::string& parameters) {
    if (file.empty())
        return reason(LaunchFailure::FileNotFound);
    const QString target = toQString(file);
    if (hasUrlScheme(file))
        return openWithDesktop(target);

    const std::string path = resolveDiscPath(file);
    const QFileInfo info(toQString(path));
    if (!info.exists())
        return reason(LaunchFailure::FileNotFound);
    // A FIFO or device is neither program nor document; handed to the
    // desktop it would keep the waiting window up for nothing.
    if (!info.isFile() && !info.isDir())
        return reason(LaunchFailure::NotAFile);
    // A disc without Unix permissions marks every file executable: only a
    // real program starts by itself, a document goes to its application.
    if (info.isFile() && info.isExecutable() &&
        startsAsProgram(readFileStart(path, kProgramSignatureSize).value_or(std::string()))) {
        QProcess process;
        process.setProgram(info.absoluteFilePath());
        process.setProcessEnvironment(readerProcessEnvironment());
        process.setArguments(QProcess::splitCommand(toQString(parameters)));
        if (!process.startDetached())
            return reason(LaunchFailure::ProgramNotStarted);
        return std::nullopt;
    }
    if (!info.isReadable())
        return reason(LaunchFailure::AccessDenied);
    return openWithDesktop(QUrl::fromLocalFile(info.absoluteFilePath()).toString());
}

std::optional<std::string> QtProgramLauncher::openWithDesktop(const QString& target) {
    // On the heap: an opener still busy when we stop waiting must live on.
    auto* opener = new QProcess;
    opener->setProcessEnvironment(readerProcessEnvironment());
    opener->start(QStringLiteral("xdg-open"), {target});
    if (!opener->waitForStarted()) {
        // A desktop without xdg-open has nothing to open documents with.
        delete opener;
        return reason(LaunchFailure::NoApplication);
    }
    // The desktop answers once it has handed the target to an application;
    // the waiting window keeps moving meanwhile.
    QEventLoop loop;
    QObject::connect(opener, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(kDesktopTimeoutMs, &loop, &QEventLoop::quit);
    if (opener->state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (opener->state() != QProcess::NotRunning) {
        // Still on its way: let it go on alone and clean up after itself.
        QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
        return std::nullopt;
    }
    const std::unique_ptr<QProcess> done(opener);
    if (done->exitStatus() == QProcess::NormalExit && done->exitCode() == 0)
        return std::nullopt;
    // What the opener printed is in English, or in the desktop's language:
    // the box says the reason in the program's own.
    if (done->exitStatus() != QProcess::NormalExit)
        return reason(LaunchFailure::NotOpened);
    return reason(failureOfOpener(done->exitCode()));
}

} // namespace dv::qt
