#pragma once
// A main window for the student Ann on assignment 1, over scripted services
// and real record files in a fresh folder, for the widget tests.

#include "ui/MainForm.h"

#include "FakeClipboard.h"
#include "FakeServices.h"
#include "TempFolder.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include <initializer_list>
#include <memory>
#include <string>

namespace calctutor::testing {

struct LoadedForm : FakeServices {
    explicit LoadedForm(std::initializer_list<std::string> answers = {"Ann", "", "1"})
    {
        for (const std::string& answer : answers)
            input.add(answer);
        for (int i = 0; i < 62; ++i)
            random.add(0.5f);
        random.spareDrawsAllowed = true;
        services.clipboard = &clipboard;
        services.defaultFolder = folder.path();
        form = std::make_unique<MainForm>(services);
    }
    QPlainTextEdit* box(const char* name) const
    {
        return qobject_cast<QPlainTextEdit*>(form->control(QLatin1String(name)));
    }
    void click(const char* name) const { qobject_cast<QPushButton*>(form->control(QLatin1String(name)))->click(); }
    std::string masterFile() const { return readFile(form->state().masterFilePath); }
    std::string sendFile() const { return readFile(form->state().sendFilePath); }

    TempFolder folder;
    FakeClipboard clipboard;
    std::unique_ptr<MainForm> form;
};

} // namespace calctutor::testing
