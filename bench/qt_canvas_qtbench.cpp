// Drawing on the Qt canvas: one 33-byte reading row in a 1,000 × 32 box, and one drag redraw at
// 1920 × 1080 (a black fill of the client area and fifteen 100 × 100 tile copies).
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "font_choice.h"
#include "gfx/primitives.h"
#include "qt_canvas.h"

namespace {

using tavori::qt::QtCanvas;

void textRow(benchmark::State& state) {
    QtCanvas canvas(QSize(1200, 100), tavori::qt::chooseTextFont());
    // Sixteen full-width characters and the trailing space: a full 32-byte row.
    std::string row;
    for (int character = 0; character < 16; ++character) row += "\x93\xC7";  // 読
    row += ' ';
    for (auto _ : state) {
        tavori::drawTextBox(canvas, row, 100, 30, 1000, 32, tavori::kWhite, tavori::kBlack);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(textRow)->Unit(benchmark::kMicrosecond);

void dragRedraw(benchmark::State& state) {
    QtCanvas window(QSize(1920, 1080), tavori::qt::chooseTextFont());
    QtCanvas work(QSize(500, 400), tavori::qt::chooseTextFont());
    for (auto _ : state) {
        tavori::fillBox(window, 0, 0, 1920, 1080, tavori::kBlack);
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 5; ++column) {
                window.blit(work, column * 100, row * 100, 100, 100, 200 + column * 230, 150 + row * 260);
            }
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(dragRedraw)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
