// One press of "display SEND file" or "display notes" in the real window, or
// its floor in the same window: the file read and set into the question box
// with setPlainText. Prints the time from the press to the painted box and
// the process's peak memory; scripts/bench.sh runs it once per measurement.
//   viewer_window program|floor send|notes FILE      (needs a display)

#include "core/Services.h"
#include "core/TutorServices.h"
#include "pictures/PictureClipboard.h"
#include "platform/SystemServices.h"
#include "records/RecordFiles.h"
#include "records/RecordViewers.h"
#include "ui/MainForm.h"

#include "FakeClipboard.h"
#include "SteadyServices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWindow>

#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>

#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace calctutor;
using namespace calctutor::testing;

class StartAnswers final : public InputBox {
public:
    std::string ask(std::string_view) override
    {
        std::string answer = m_answers.empty() ? std::string() : m_answers.front();
        if (!m_answers.empty())
            m_answers.pop_front();
        return answer;
    }

private:
    std::deque<std::string> m_answers{"Ann", "", "1"};
};

// The least work that shows the same text: read what the viewer shows (its
// end, for a file above the viewer's limit), decode it as Latin-1, drop the
// notes' line ends, set it.
void floorDisplay(QPlainTextEdit& box, const char* path, Viewer viewer)
{
    QString text;
    {
        QFile file(QString::fromLocal8Bit(path));
        if (!file.open(QIODevice::ReadOnly))
            return;
        const auto limit = static_cast<qint64>(viewLimits(viewer).bytes);
        if (file.size() > limit)
            file.seek(file.size() - limit);
        text = QString::fromLatin1(file.read(limit));
    }
    if (viewer == Viewer::Notes) {
        text.remove(QLatin1Char('\r'));
        text.remove(QLatin1Char('\n'));
    }
    box.setPlainText(text);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s program|floor send|notes FILE\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    const bool program = std::strcmp(argv[1], "program") == 0;
    const Viewer viewer = std::strcmp(argv[2], "notes") == 0 ? Viewer::Notes : Viewer::SendFile;

    std::string pattern = (std::filesystem::temp_directory_path() / "calctutor-viewer-XXXXXX").string();
    const std::filesystem::path folder = ::mkdtemp(pattern.data());
    StartAnswers input;
    PrintedMessages messages;
    SystemClock clock;
    SystemRandom random;
    DiskRecordFiles files;
    NoBeep beep;
    NoClipboard clipboard;
    const TutorServices services{input, messages, clock, random, files, beep, &clipboard, folder.string()};
    MainForm form(services);
    if (form.load() != Flow::Continue)
        return 1;
    // The record file is a link to the file to show.
    const std::string shown = viewer == Viewer::Notes ? form.state().notesFilePath : form.state().sendFilePath;
    std::filesystem::remove(shown);
    std::filesystem::create_symlink(std::filesystem::absolute(argv[3]), shown);

    form.show();
    while (form.windowHandle() == nullptr || !form.windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QApplication::processEvents();
    auto* question = static_cast<QPlainTextEdit*>(form.control(QStringLiteral("txt_question")));

    QElapsedTimer timer;
    timer.start();
    if (program)
        static_cast<QPushButton*>(form.control(viewer == Viewer::Notes ? QStringLiteral("cmd_display_note_file")
                                                                       : QStringLiteral("cmd_displayCumulativeText")))
            ->click();
    else
        floorDisplay(*question, argv[3], viewer);
    question->viewport()->repaint();
    QApplication::processEvents();
    const qint64 elapsed = timer.nsecsElapsed();

    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("ms=%.3f rss_kb=%ld chars=%lld\n", static_cast<double>(elapsed) / 1e6, usage.ru_maxrss,
                static_cast<long long>(question->document()->characterCount()));
    std::filesystem::remove_all(folder);
    return 0;
}
