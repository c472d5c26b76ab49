#pragma once

// Programs of the desktop (xdg-open, the settings programs) stood in for by
// scripts in a folder of the test's own, put first on PATH: each records how
// it was started, one line per start, and opens nothing.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace dv::test {

class FakeDesktop {
  public:
    // alone: the folder is the whole PATH, so no real program is found.
    explicit FakeDesktop(bool alone = false) : oldPath_(qgetenv("PATH")) {
        qputenv("PATH", alone ? QFile::encodeName(dir_.path())
                              : QFile::encodeName(dir_.path()) + ':' + oldPath_);
    }
    ~FakeDesktop() { qputenv("PATH", oldPath_); }
    FakeDesktop(const FakeDesktop&) = delete;
    FakeDesktop& operator=(const FakeDesktop&) = delete;

    void addProgram(const QString& name) {
        const QString path = dir_.filePath(name);
        QFile script(path);
        if (!script.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        script.write(
            "#!/bin/sh\n{ printf '%s' \"${0##*/}\"; for a in \"$@\"; do printf ' %s' \"$a\"; done; "
            "printf '\\n'; } >> '" +
            QFile::encodeName(log()) + "'\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // "program arg arg", one a start, in order.
    QStringList started() const {
        QFile f(log());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    void forget() { QFile::remove(log()); }

  private:
    QString log() const { return dir_.filePath(QStringLiteral("started.log")); }

    QTemporaryDir dir_;
    QByteArray oldPath_;
};

} // namespace dv::test
