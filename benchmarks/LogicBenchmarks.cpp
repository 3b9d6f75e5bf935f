// The tutor's logic against its floors, the least work that gives the same
// result. Every iteration times the program and its floor one after the
// other, in alternate order, so that both meet the same load on a shared
// machine; the counters program_ms and floor_ms are the medians, which
// scripts/bench.sh divides.
//   QT_QPA_PLATFORM=offscreen build-release/benchmarks/logic_benchmarks

#include "core/AssignmentNumber.h"
#include "core/Services.h"
#include "core/TutorServices.h"
#include "core/TutorState.h"
#include "pictures/PictureClipboard.h"
#include "pictures/PictureController.h"
#include "pictures/PicturePanel.h"
#include "platform/SystemServices.h"
#include "records/IntentRecord.h"
#include "records/RecordEntries.h"
#include "records/RecordFiles.h"
#include "records/Recording.h"
#include "script/Navigation.h"
#include "script/QuestionBank.h"
#include "startup/AssignmentEntry.h"

#include "FakeClipboard.h"
#include "SteadyServices.h"
#include "TempFolder.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace calctutor {
namespace {

using namespace calctutor::testing;

using Folder = TempFolder;

// Record files that already hold `bytes` (sparse: no disk space taken).
void prepare(const std::string& path, std::uintmax_t bytes)
{
    std::ofstream(path, std::ios::binary).close();
    std::filesystem::resize_file(path, bytes);
}

TutorState responseState(const Folder& folder, std::uintmax_t fileBytes)
{
    TutorState state;
    state.masterFilePath = folder.file("masterFile_Ann.txt");
    state.sendFilePath = folder.file("send_1208Ann.txt");
    state.pendingFilePath = folder.file(".pending_Ann.txt");
    prepare(state.masterFilePath, fileBytes);
    prepare(state.sendFilePath, fileBytes);
    state.lastLine = "`q002.  What were the precise average rates of change?";
    state.lineKind = "question";
    state.assignmentNumber = padAssignmentNumber("1");
    state.questionNumber = std::to_string(2);
    state.codeNumber = 23;
    state.responsePrompt = "Enter, as appropriate, an answer to the question";
    return state;
}

const char* const kAnswer = "The first period gave 3 dollars per month.\r\nThe second 3.6.";

template <typename Work>
double millisecondsOf(Work& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

template <typename Program, typename Floor>
void paired(benchmark::State& run, Program program, Floor floor)
{
    std::vector<double> programMs;
    std::vector<double> floorMs;
    bool programFirst = true;
    for (auto _ : run) {
        double floorTime = 0;
        if (!programFirst)
            floorTime = millisecondsOf(floor);
        const double programTime = millisecondsOf(program);
        if (programFirst)
            floorTime = millisecondsOf(floor);
        programFirst = !programFirst;
        programMs.push_back(programTime);
        floorMs.push_back(floorTime);
        run.SetIterationTime((programTime + floorTime) / 1000);
    }
    run.counters["program_ms"] = median(std::move(programMs));
    run.counters["floor_ms"] = median(std::move(floorMs));
}

// Enter Response against two raw appends of the same entries, each flushed
// to stable storage; with crashSafe, against the least a writer must do to
// survive a power cut in mid-entry: the two appends between an intent record
// written and emptied, each step flushed.
void enterResponse(benchmark::State& run, std::uintmax_t fileBytes, bool crashSafe)
{
    const Folder folder;
    TutorState state = responseState(folder, fileBytes);
    SteadyInput input;
    PrintedMessages messages;
    SystemClock clock;
    SystemRandom random;
    DiskRecordFiles files;
    NoBeep beep;
    NoClipboard clipboard;
    const TutorServices services{input, messages, clock, random, files, beep, &clipboard, folder.path()};

    const Folder floorFolder;
    const TutorState floorState = responseState(floorFolder, fileBytes);
    const ResponseParts parts{state.lastLine, kAnswer, std::string("confidence assessment:  2"), 23};
    const std::string entries[] = {masterResponseEntry(parts, "12:34:56", 1.002), sendResponseEntry(parts, "12:34:56")};
    const std::string paths[] = {floorState.masterFilePath, floorState.sendFilePath};
    // The same record the writer keeps: each file's name, size and bytes.
    const std::string intent = calctutor::formatIntent(
        {{"masterFile_Ann.txt", 0, entries[0]}, {"send_1208Ann.txt", 0, entries[1]}});

    paired(
        run,
        [&] {
            if (calctutor::enterResponse(state, kAnswer, services) != Recorded::Entry)
                run.SkipWithError("the response was not recorded");
        },
        [&] {
            const int intentFd = crashSafe ? ::open(floorState.pendingFilePath.c_str(), O_RDWR | O_CREAT, 0644) : -1;
            if (crashSafe) {
                if (::pwrite(intentFd, intent.data(), intent.size(), 0) != static_cast<ssize_t>(intent.size()))
                    run.SkipWithError("write failed");
                ::fsync(intentFd);
            }
            for (int i = 0; i < 2; ++i) {
                const int fd = ::open(paths[i].c_str(), O_WRONLY | O_APPEND);
                if (::write(fd, entries[i].data(), entries[i].size()) != static_cast<ssize_t>(entries[i].size()))
                    run.SkipWithError("write failed");
                ::fsync(fd);
                ::close(fd);
            }
            if (crashSafe) {
                if (::ftruncate(intentFd, 0) != 0)
                    run.SkipWithError("truncate failed");
                ::fsync(intentFd);
                ::close(intentFd);
            }
        });
}

// The timer experiment's two panels and controller.
struct Experiment {
    Experiment()
    {
        random.seed(7);
        picture1.resize(345, 225);
        picture2.resize(337, 225);
        picture1.setScale(1000, 1000);
        picture2.setScale(1000, 1000);
    }
    SystemRandom random;
    NoBeep beep;
    NoClipboard clipboard;
    PicturePanel picture1;
    PicturePanel picture2;
    PictureController controller{picture1, picture2, random, beep, clipboard};
};

// A tick after 10^5 circles against the ticks right after the first, which
// sets the drawing up.
void tickAfterManyCircles(benchmark::State& run)
{
    Experiment many;
    for (int i = 0; i < 100000; ++i)
        many.controller.tick();
    Experiment fresh;
    fresh.controller.tick();
    paired(
        run, [&] { many.controller.tick(); }, [&] { fresh.controller.tick(); });
}

// Loading the course against reading the course files from the resources
// and cutting them into lines.
void courseLoad(benchmark::State& run)
{
    paired(
        run,
        [] {
            TutorState state;
            loadQuestionBank(state);
            benchmark::DoNotOptimize(state.scriptLines.data());
        },
        [] {
            std::vector<std::string> lines;
            lines.reserve(kLastScriptIndex + 1);
            for (const CourseSource& source : builtInCourse()) {
                std::size_t start = 0;
                while (start < source.content.size()) {
                    std::size_t end = source.content.find('\n', start);
                    if (end == std::string::npos)
                        end = source.content.size();
                    lines.emplace_back(source.content, start, end - start);
                    start = end + 1;
                }
            }
            benchmark::DoNotOptimize(lines.data());
        });
}

const TutorState& loadedCourse()
{
    static const TutorState loaded = [] {
        TutorState state;
        loadQuestionBank(state);
        return state;
    }();
    return loaded;
}

// "Next Question / Answer" from each assignment's header to the next header,
// against the same copies of the state with every entry that is not empty
// copied out.
void walkAllStops(benchmark::State& run)
{
    NoGraphs graphs;
    paired(
        run,
        [&graphs] {
            std::size_t shown = 0;
            for (int assignment = 1; assignment <= 16; ++assignment) {
                TutorState state = loadedCourse();
                state.assignmentNumber = padAssignmentNumber(std::to_string(assignment));
                state.nextAssignmentNumber = nextAssignmentNumber(state.assignmentNumber);
                state.lineIndex = findAssignmentHeader(state.scriptLines, state.assignmentNumber).value_or(0);
                for (;;) {
                    const NextQuestionOutcome outcome = nextQuestion(state, graphs);
                    if (outcome.flow == Flow::EndProgram)
                        break;
                    shown += outcome.textToShow.size();
                }
            }
            benchmark::DoNotOptimize(shown);
        },
        [] {
            std::size_t shown = 0;
            for (int assignment = 1; assignment <= 16; ++assignment) {
                const TutorState state = loadedCourse();
                for (const std::string& entry : state.scriptLines) {
                    if (entry.empty())
                        continue;
                    std::string text = entry;
                    shown += text.size();
                    benchmark::DoNotOptimize(text.data());
                }
            }
            benchmark::DoNotOptimize(shown);
        });
}

constexpr std::uintmax_t kKilobyte = 1024;
constexpr std::uintmax_t kHundredMegabytes = 100 * 1024 * 1024;

void registerAll()
{
    using benchmark::RegisterBenchmark;
    RegisterBenchmark("enter_response_1KB", enterResponse, kKilobyte, false)->UseManualTime()->Iterations(200);
    RegisterBenchmark("enter_response_100MB", enterResponse, kHundredMegabytes, false)
        ->UseManualTime()
        ->Iterations(200);
    RegisterBenchmark("enter_response_crash_safe_1KB", enterResponse, kKilobyte, true)
        ->UseManualTime()
        ->Iterations(200);
    RegisterBenchmark("tick_after_1e5_circles", tickAfterManyCircles)->UseManualTime()->Iterations(2000);
    RegisterBenchmark("course_load", courseLoad)->UseManualTime()->Iterations(100);
    RegisterBenchmark("walk_all_stops", walkAllStops)->UseManualTime()->Iterations(100);
}

} // namespace
} // namespace calctutor

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    calctutor::registerAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
