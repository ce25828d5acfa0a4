// Redrawing the 寸法図 after an edit: the section worked out from the item and
// painted at the window's size, for each structure of the sample. The pane's
// budget for a whole refresh is 30 ms.
#include "IniFile.h"
#include "ItemRecord.h"
#include "Section.h"
#include "SectionPainter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

engine::Snapshot SampleItem(int index) {
    const yoheki::IniFile ini(YOHEKI_DATA_DIR "/見本工事.Fa1");
    const std::string name = ini.ReadSections().at(static_cast<size_t>(index));
    return takeoff::ToSnapshot(takeoff::ReadItem(ini, name), name, "擁壁数量調書：見本工事", {});
}

// Items 1 (wall with blocks and a step), 2 (base with its plan), 5 (ditch).
void BM_Redraw(benchmark::State& state) {
    const engine::Snapshot s = SampleItem(static_cast<int>(state.range(0)));
    QImage image(640, 420, QImage::Format_RGB32);
    for (auto _ : state) {
        const engine::section::Drawing d = engine::section::SectionOf(s);
        QPainter p(&image);
        p.fillRect(image.rect(), Qt::white);
        print::PaintSection(p, QRectF(image.rect()), d, 25.4 / 96);
        benchmark::DoNotOptimize(image.bits());
    }
    state.SetLabel(engine::section::SectionOf(s).mode == 2 ? "base" : "wall/ditch");
}
BENCHMARK(BM_Redraw)->Arg(1)->Arg(2)->Arg(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
