#include "core/TutorServices.h"
#include "pictures/SystemClipboard.h"
#include "platform/NativeFiles.h"
#include "platform/SystemServices.h"
#include "records/RecordFiles.h"
#include "ui/MainForm.h"
#include "ui/QtServices.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Under a file size limit a write past it fails with a reason the
    // student is told, instead of ending the tutor without a word.
    calctutor::native::ignoreFileSizeSignal();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("calctutor"));
    QApplication::setApplicationDisplayName(QStringLiteral("calctutor"));
    // Lets the desktop match the window with its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.calctutor.CalcTutor"));

    calctutor::QtInputBox input;
    calctutor::QtMessages messages;
    calctutor::SystemClock clock;
    calctutor::SystemRandom random;
    calctutor::DiskRecordFiles files;
    calctutor::QtBeep beep;
    calctutor::SystemClipboard clipboard;
    const calctutor::TutorServices services{.input = input,
                                            .messages = messages,
                                            .clock = clock,
                                            .random = random,
                                            .files = files,
                                            .beep = beep,
                                            .clipboard = &clipboard,
                                            .defaultFolder = calctutor::defaultDataFolder()};
    calctutor::MainForm form(services);
    input.setParent(&form);
    messages.setParent(&form);

    if (form.load() == calctutor::Flow::EndProgram)
        return 0;
    form.show();
    return app.exec();
}
