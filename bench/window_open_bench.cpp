// The window opening a large project, as the program starts with a project
// file as its argument: from the process started to the window shown with
// the item list and the table filled and the first item on screen, and the
// peak memory of that process. Each run is a fresh process (this program
// again); the best of the runs is printed.
//   window_open_bench [PROJECT] [--runs N] [--shot FILE.png]
// Without PROJECT a project of 10,000 items is generated.
#include "LargeProject.h"
#include "ItemTable.h"
#include "ListIn.h"
#include "PrnSys.h"
#include "Translations.h"
#include "main1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>

namespace {

using Clock = std::chrono::steady_clock; // one clock for every process

double MsSince(long long startNs) {
    const long long now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                              Clock::now().time_since_epoch())
                              .count();
    return static_cast<double>(now - startNs) / 1e6;
}

double CpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

double PeakMb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0;
}

// One start of the window, the sequence of the program's main(); prints
// "total_ms open_ms cpu_ms peak_mb rows".
int Child(int argc, char** argv, long long startNs, const QString& project, const QString& shot) {
    QApplication app(argc, argv);
    NameApplication();
    InstallFontSubstitutes();
    InstallToolkitTranslation();
    yoheki::ScriptedDialogs dialogs;
    TForm1 form1(dialogs, {project});
    TForm2 form2;
    TLI_Menu liMenu(dialogs);
    form1.Attach(&form2, &liMenu);
    RestoreWindowState(form1);
    form1.show();
    double openMs = 0, totalMs = 0, cpuMs = 0, peakMb = 0;
    QTimer::singleShot(0, &form1, [&] {
        const auto open = Clock::now();
        form1.FormActivate();
        form1.grab(); // the first frame: everything on screen painted
        openMs = std::chrono::duration<double, std::milli>(Clock::now() - open).count();
        totalMs = MsSince(startNs);
        cpuMs = CpuMs();
        peakMb = PeakMb();
        if (shot.isEmpty())
            return app.quit();
        // The picture for the eye once the statement pane has caught up.
        QTimer::singleShot(500, &form1, [&] {
            form1.grab().save(shot);
            app.quit();
        });
    });
    app.exec();
    if (!dialogs.records.isEmpty() || form1.ComboBox1->count() == 0) {
        std::fprintf(stderr, "the project was not opened: %s\n",
                     qPrintable(dialogs.texts().join(u'|')));
        return 1;
    }
    std::printf("%.1f %.1f %.1f %.1f %d\n", totalMs, openMs, cpuMs, peakMb,
                form1.Items->Model()->rowCount());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 4 && QByteArray(argv[1]) == "--child")
        return Child(1, argv, std::atoll(argv[2]), QString::fromLocal8Bit(argv[3]),
                     QString::fromLocal8Bit(argv[4]));
    QCoreApplication app(argc, argv);
    QString project, shot;
    int runs = 3;
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--runs" && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else if (a == "--shot" && i + 1 < argc)
            shot = QString::fromLocal8Bit(argv[++i]);
        else
            project = QString::fromLocal8Bit(a);
    }
    QTemporaryDir dir;
    // The start folder holds the settings and drawings, as an installed
    // user's folder does; the window's own settings go there too.
    for (const char* name : {"Qrtt.dat", "擁壁１.bmp", "設備基礎.bmp", "Ｕ字側溝.bmp"})
        QFile::copy(BundledFile(name), dir.filePath(QString::fromUtf8(name)));
    const QString target = dir.filePath(QStringLiteral("large.Fa1"));
    if (project.isEmpty())
        MakeLargeProject(target, 10000);
    else if (!QFile::copy(project, target))
        return std::fprintf(stderr, "cannot copy %s\n", qPrintable(project)), 1;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.path());
    std::printf("window opening %s (%.1f MB), %d runs: total ms (process start to first frame), "
                "open ms, cpu ms, peak MB, rows\n",
                qPrintable(QFileInfo(project.isEmpty() ? target : project).fileName()),
                static_cast<double>(QFileInfo(target).size()) / 1e6, runs);
    double best = 1e18, bestOpen = 1e18, bestCpu = 1e18, bestPeak = 1e18;
    for (int run = 0; run < runs; ++run) {
        QProcess child;
        child.setProcessEnvironment(env);
        child.setWorkingDirectory(dir.path());
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const long long start = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                    Clock::now().time_since_epoch())
                                    .count();
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--child"), QString::number(start), target,
                     run == 0 ? shot : QString()});
        if (!child.waitForFinished(120000) || child.exitCode() != 0)
            return std::fprintf(stderr, "run %d failed\n", run + 1), 1;
        const QByteArray line = child.readAllStandardOutput().trimmed();
        std::printf("  %s\n", line.constData());
        const QList<QByteArray> f = line.split(' ');
        best = std::min(best, f.value(0).toDouble());
        bestOpen = std::min(bestOpen, f.value(1).toDouble());
        bestCpu = std::min(bestCpu, f.value(2).toDouble());
        bestPeak = std::min(bestPeak, f.value(3).toDouble());
    }
    std::printf("best: %.0f ms to the window, %.0f ms opening, %.0f ms cpu, %.1f MB peak\n", best,
                bestOpen, bestCpu, bestPeak);
    return 0;
}
