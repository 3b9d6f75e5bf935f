#pragma once
// A main window for the student Ann on assignment 1, over scripted services
// and real record files in a fresh folder, for the widget tests.

#include "records/RecordFiles.h"
#include "ui/MainForm.h"

#include "FakeClipboard.h"
#include "Fakes.h"
#include "TempFolder.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include <initializer_list>
#include <memory>
#include <string>

namespace calctutor::testing {

struct LoadedForm {
    explicit LoadedForm(std::initializer_list<std::string> answers = {"Ann", "", "1"})
        : input(answers), random{0.5f, 0.5f}
    {
        for (int i = 0; i < 60; ++i)
            random.add(0.5f);
        random.spareDrawsAllowed = true;
        form = std::make_unique<MainForm>(
            Platform{input, messages, clock, random, files, beep, clipboard, folder.path()});
    }
    QPlainTextEdit* box(const char* name) const
    {
        return qobject_cast<QPlainTextEdit*>(form->control(QLatin1String(name)));
    }
    void click(const char* name) const { qobject_cast<QPushButton*>(form->control(QLatin1String(name)))->click(); }
    std::string masterFile() const { return readFile(form->state().masterFilePath); }
    std::string sendFile() const { return readFile(form->state().sendFilePath); }

    TempFolder folder;
    ScriptedInput input;
    RecordedMessages messages;
    FixedClock clock;
    ScriptedRandom random;
    DiskRecordFiles files;
    CountedBeep beep;
    FakeClipboard clipboard;
    std::unique_ptr<MainForm> form;
};

} // namespace calctutor::testing
