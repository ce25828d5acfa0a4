// yoheki-batch xlsx killed at any moment leaves nothing behind once the next
// run has finished: neither beside the workbook nor in the temporary folder.
// YOHEKI_KILLS sets the number of kills (20 here; 300 for the long run).
#include "BatchFixture.h"

#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QThread>

namespace {

class XlsxKill : public BatchFixture {};

TEST_F(XlsxKill, KilledRunsLeaveNoTemporaryFileAfterTheNextRun) {
    CopyData({"見本工事.Fa1", "Qrtt.dat"});
    QTemporaryDir temp; // the program's TMPDIR
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", temp.path());
    const QStringList args{"xlsx", U("見本工事.Fa1"), "-o", "out.xlsx"};
    const auto start = [&] {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(env);
        p->setWorkingDirectory(dir.path());
        p->start(Program(false), args);
        return p;
    };
    QElapsedTimer clock;
    clock.start();
    auto full = start();
    ASSERT_TRUE(full->waitForFinished(60000));
    ASSERT_EQ(full->exitCode(), 0) << full->readAllStandardError().toStdString();
    const qint64 runtime = std::max<qint64>(clock.elapsed(), 20);
    const int kills = qEnvironmentVariableIntValue("YOHEKI_KILLS") > 0
                          ? qEnvironmentVariableIntValue("YOHEKI_KILLS")
                          : 20;
    for (int i = 0; i < kills; ++i) {
        auto p = start();
        ASSERT_TRUE(p->waitForStarted());
        QThread::msleep(QRandomGenerator::global()->bounded(runtime));
        p->kill();
        p->waitForFinished();
    }
    QThread::sleep(2); // a killed save's file is no one's after a second's grace
    auto next = start();
    ASSERT_TRUE(next->waitForFinished(60000));
    EXPECT_EQ(next->exitCode(), 0);
    const auto all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    EXPECT_EQ(QDir(dir.path()).entryList(all, QDir::Name),
              (QStringList{"Qrtt.dat", "out.xlsx", U("見本工事.Fa1")}));
    EXPECT_EQ(QDir(temp.path()).entryList(all), QStringList{});
}

} // namespace
