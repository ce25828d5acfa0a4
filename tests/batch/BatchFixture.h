#pragma once
// Running yoheki-batch as a user does: a folder holding copies of the bundled
// files, the program started there, its status and both outputs.
#include "Cp932.h"
#include "Utf8.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <initializer_list>

inline QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QString Decode(const QByteArray& bytes) {
    return QString::fromStdString(yoheki::cp932::Decode(bytes.toStdString()));
}

struct Result {
    int status = -1;
    QByteArray out, err;
};

class BatchFixture : public ::testing::Test {
  protected:
    // Copies the named bundled files into the test's folder.
    void CopyData(std::initializer_list<const char*> names) {
        ASSERT_TRUE(dir.isValid());
        for (const char* name : names)
            ASSERT_TRUE(QFile::copy(QDir(YOHEKI_DATA_DIR).filePath(U(name)), Path(U(name))));
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

    // The program as built sees the delivered files of the build tree beside
    // it (share/yoheki), as an installed one does; a copy in a folder of its
    // own sees none, so what a test's folder lacks stays missing.
    static QString Program(bool delivered) {
#ifdef _WIN32
        const QString exe = QStringLiteral("yoheki-batch.exe");
#else
        const QString exe = QStringLiteral("yoheki-batch");
#endif
        const QString built = QStringLiteral(YOHEKI_BINARY_DIR "/batch/") + exe;
        if (delivered)
            return built;
        static QTemporaryDir alone;
        const QString copy = alone.filePath(QStringLiteral("bin/") + exe);
        if (!QFile::exists(copy) && QDir(alone.path()).mkdir(QStringLiteral("bin")))
            QFile::copy(built, copy);
        return copy;
    }

    // Runs the program in `folder` (the test's folder when empty).
    Result Run(const QStringList& args, const QString& folder = QString(),
               bool delivered = false) const {
        QProcess p;
        p.setWorkingDirectory(folder.isEmpty() ? dir.path() : folder);
        p.start(Program(delivered), args);
        Result r;
        if (!p.waitForFinished(30000))
            return r;
        r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        return r;
    }

    QTemporaryDir dir;
};
