// calctutor-class-generator: writes a whole class's record files for testing
// and measuring the instructor's report, by playing each student's semester
// through the tutor's own logic on a simulated clock.
//   calctutor-class-generator --students 300 --seed 1 --out DIR [--truth FILE] [--roster FILE]
// DIR gets one folder per student, holding what the tutor wrote there. The
// truth file lists every response and note entry, in the columns of the
// report's entries.csv; the roster lists every student, one name a line,
// those who never started included.

#include "ClassRoster.h"
#include "StudentSemester.h"

#include "core/Windows1252.h"
#include "platform/NativeFiles.h"
#include "platform/SystemServices.h"
#include "records/RecordFileNames.h"
#include "records/RecordFiles.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <optional>
#include <string>

namespace {

using namespace calctutor;
using namespace calctutor::classgen;

constexpr std::string_view kUsage =
    "usage: calctutor-class-generator --out DIR [--students N] [--seed S] [--truth FILE] [--roster FILE]\n"
    "  Writes a class of N students (300 unless given) into DIR, which must be empty or new:\n"
    "  one folder per student with the record files the tutor wrote for that student\n"
    "  over a semester. The same seed (1 unless given) gives the same class.\n"
    "  --truth FILE   every response and note entry written, as the report's entries.csv\n"
    "  --roster FILE  every student's name, one a line, those who never started included\n";

struct Options {
    std::size_t students = 300;
    std::uint64_t seed = 1;
    std::string out;
    std::string truth;
    std::string roster;
};

std::optional<std::uint64_t> number(const std::string& text)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 18)
        return std::nullopt;
    return std::stoull(text);
}

std::optional<Options> parse(int argc, char* argv[])
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc)
            return std::nullopt;
        const std::string value = argv[++i];
        if (option == "--students" && number(value))
            options.students = static_cast<std::size_t>(*number(value));
        else if (option == "--seed" && number(value))
            options.seed = *number(value);
        else if (option == "--out")
            options.out = value;
        else if (option == "--truth")
            options.truth = value;
        else if (option == "--roster")
            options.roster = value;
        else
            return std::nullopt;
    }
    if (options.out.empty())
        return std::nullopt;
    return options;
}

struct FolderSize {
    std::size_t files = 0;
    std::uintmax_t bytes = 0;
};

FolderSize measure(const std::filesystem::path& folder)
{
    FolderSize size;
    for (const auto& item : std::filesystem::recursive_directory_iterator(folder)) {
        if (item.is_regular_file() && item.file_size() > 0) {
            ++size.files;
            size.bytes += item.file_size();
        }
    }
    return size;
}

int generate(const Options& options)
{
    const std::filesystem::path outPath(options.out);
    std::error_code error;
    std::filesystem::create_directories(outPath, error);
    if (!std::filesystem::is_directory(outPath) || !std::filesystem::is_empty(outPath)) {
        std::cerr << "calctutor-class-generator: " << options.out << " must be a new or empty folder\n";
        return 1;
    }
    // The tutor's paths are Windows-1252 texts; the command line gives UTF-8.
    const Encoded1252 outFolder = utf8ToWindows1252(options.out);
    if (!outFolder.ok()) {
        std::cerr << "calctutor-class-generator: the folder's name must be written in Windows-1252 letters\n";
        return 1;
    }

    const auto started = std::chrono::steady_clock::now();
    Dice rosterDice(options.seed);
    const std::vector<std::string> roster = classRoster(options.students, rosterDice);
    TruthFile truth(options.truth);
    if (!options.truth.empty() && !truth.writes()) {
        std::cerr << "calctutor-class-generator: cannot write " << options.truth << "\n";
        return 1;
    }

    SimulatedClock clock(2026, 8, 31);
    PlannedInput input;
    KeptMessages messages;
    SystemRandom random;
    DiskRecordFiles files(DiskRecordFiles::Flushing::LeftToSystem);
    NoGraphs graphs;
    Desk desk{clock, input, messages, random, files, graphs};
    std::size_t neverStarted = 0;
    for (std::size_t index = 0; index < roster.size(); ++index) {
        // One student in twenty never starts the tutor, from the third on,
        // so that even a small class has one.
        if (index % 20 == 2) {
            ++neverStarted;
            continue;
        }
        Dice dice(options.seed * 0x9E3779B97F4A7C15ULL + index + 1);
        const std::string name = utf8ToWindows1252(roster[index]).text;
        const std::string folder = native::joinPath(outFolder.text, fileNamePart(name));
        // Every student starts from the same first day of the semester.
        clock = SimulatedClock(2026, 8, 31);
        StudentSemester(desk, truth, dice, name, folder).play();
    }
    if (!truth.close()) {
        std::cerr << "calctutor-class-generator: cannot write " << options.truth << "\n";
        return 1;
    }
    if (!options.roster.empty()) {
        std::ofstream list(options.roster, std::ios::binary | std::ios::trunc);
        for (const std::string& name : roster)
            list << name << "\n";
        if (!list.flush()) {
            std::cerr << "calctutor-class-generator: cannot write " << options.roster << "\n";
            return 1;
        }
    }

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const FolderSize size = measure(outPath);
    std::cout << std::fixed << std::setprecision(1) << "class: " << roster.size() << " students (" << neverStarted
              << " never started), " << size.files << " record files, " << static_cast<double>(size.bytes) / 1e6
              << " MB, " << truth.rows() << " entries, written in " << seconds << " s\n";
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    const std::optional<Options> options = parse(argc, argv);
    if (!options) {
        std::cerr << kUsage;
        return 2;
    }
    try {
        return generate(*options);
    } catch (const GeneratorFault& fault) {
        std::cerr << "calctutor-class-generator: " << fault.what() << "\n";
        return 1;
    }
}
