// How long "display SEND file" takes for a send file of several megabytes:
// building the text, and adding it to the question box of a real window.
//   build/benchmarks/record_benchmarks   (QT_QPA_PLATFORM=offscreen without a display)

#include "records/RecordEntries.h"
#include "records/RecordViewers.h"
#include "ui/QtServices.h"

#include <QApplication>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

namespace {

// A send file of about `megabytes` MB made of response entries.
std::string sendFileOf(int megabytes)
{
    const calctutor::ResponseParts parts{"`q002.  What were the precise average rates of change?",
                                         "The first period gave 3 dollars per month.\r\nThe second 3.6.",
                                         std::string("confidence assessment:  2"), 23};
    const std::string entry = calctutor::sendResponseEntry(parts, "12:34:56");
    std::string content;
    while (content.size() < static_cast<std::size_t>(megabytes) * 1024 * 1024)
        content += entry;
    return content;
}

void BuildSendFileView(benchmark::State& state)
{
    const std::string content = sendFileOf(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(calctutor::viewText(content, calctutor::Viewer::SendFile));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(content.size()));
}
BENCHMARK(BuildSendFileView)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

// The whole press as the window does it: text built once, box set once.
void ShowSendFileInQuestionBox(benchmark::State& state)
{
    const std::string content = sendFileOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QPlainTextEdit box;
        box.resize(345, 217);
        QTextCursor cursor(box.document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(calctutor::toDisplay(calctutor::viewText(content, calctutor::Viewer::SendFile)));
        benchmark::DoNotOptimize(box.document()->blockCount());
    }
}
BENCHMARK(ShowSendFileInQuestionBox)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
