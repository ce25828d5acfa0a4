// The statement pane on a 2,000-item project (the sample's six items
// repeated), in the shown window: the cost of a keystroke, which only notes
// the edit, and the time from the debounce firing to the pane's text and the
// drawing's labels being replaced. The second must stay under 30 ms.
#include "LivePane.h"
#include "ListIn.h"
#include "PrnSys.h"
#include "Takeoff.h"
#include "main1.h"

#include "LargeProject.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kItems = 2000;

struct Window {
    QTemporaryDir dir;
    yoheki::ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form;
    TForm2 form2;

    Window() {
        for (const char* name : {"Qrtt.dat", "擁壁１.bmp", "設備基礎.bmp", "Ｕ字側溝.bmp"})
            QFile::copy(BundledFile(name), dir.filePath(QString::fromUtf8(name)));
        QDir::setCurrent(dir.path());
        const QString path = dir.filePath(QStringLiteral("large.Fa1"));
        MakeLargeProject(path, kItems);
        form = std::make_unique<TForm1>(dialogs, QStringList());
        form->Attach(&form2, nullptr);
        OpenProject(*form, path);
        form->SettingsDir = dir.path();
        form->resize(1340, 620);
        form->show();
        ShowItem(*form, 1); // a wall with pipes and blocks
        QApplication::processEvents();
    }
};

Window& TheWindow() {
    static Window w;
    return w;
}

// One typed digit: the field's text changes and the pane notes the edit.
void KeyPress(benchmark::State& state) {
    TForm1& f = *TheWindow().form;
    f.REdit1->setFocus();
    f.REdit1->setText(QStringLiteral("1"));
    for (auto _ : state) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
        QApplication::sendEvent(f.REdit1, &key);
        if (f.REdit1->text().size() > 6)
            f.REdit1->setText(QStringLiteral("1"));
    }
    f.Live->Refresh();
}
BENCHMARK(KeyPress)->Unit(benchmark::kMicrosecond);

// An edit, then what the debounce timer runs: snapshot, calculation, the
// statement and messages replaced, the drawing labels set.
void EditToPane(benchmark::State& state) {
    TForm1& f = *TheWindow().form;
    int run = 0;
    for (auto _ : state) {
        f.REdit4->setText(QString::number(500 + (++run % 50) * 10));
        const int before = f.Live->Generation();
        f.Live->Refresh();
        if (f.Live->Generation() == before || f.Live->Stopped())
            state.SkipWithError("the pane was not replaced");
    }
}
BENCHMARK(EditToPane)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same with the window painting what changed, as the user sees it.
void EditToPainted(benchmark::State& state) {
    TForm1& f = *TheWindow().form;
    int run = 0;
    for (auto _ : state) {
        f.REdit4->setText(QString::number(500 + (++run % 50) * 10));
        f.Live->Refresh();
        f.repaint();
    }
}
BENCHMARK(EditToPainted)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    InstallFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
