// The main window: its layout table, its own two handlers, and one walk
// through the first assignment driven by clicks.

#include "WidgetTest.h"
#include "core/Prompts.h"
#include "pictures/PicturePanel.h"
#include "records/AnswerDraft.h"
#include "records/RecordFiles.h"
#include "ui/CaptionButton.h"
#include "ui/ControlLayout.h"
#include "ui/MainForm.h"

#include "LoadedForm.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <memory>

#include <sys/stat.h>

using namespace calctutor;
using namespace calctutor::testing;

namespace {

} // namespace

class MainFormTest : public QObject {
    Q_OBJECT

private slots:
    // Every control is one widget of its own name, and only the three controls
    // that the stored layout lets reach past the client area do so.
    void windowHasOneWidgetPerControlAndThreeOverhangs()
    {
        LoadedForm loaded;
        const QRect clientArea(QPoint(0, 0), loaded.form->size());
        QSet<QString> names;
        QStringList past;
        for (QWidget* child : loaded.form->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            const QString name = child->objectName();
            QVERIFY2(!name.isEmpty(), qPrintable(child->metaObject()->className()));
            QVERIFY2(!names.contains(name), qPrintable(name));
            names.insert(name);
            if (!clientArea.contains(child->geometry()))
                past << name;
        }
        QCOMPARE(names.size(), static_cast<qsizetype>(kControls.size()));
        past.sort();
        QCOMPARE(past, (QStringList{"List1", "cmd_copy_picture", "cmd_quit"}));
        loaded.input = ScriptedInput{};
    }

    // The controls the student works with, where the stored layout puts them
    // (left, top, width and height in twips divided by 15).
    void mainControlsSitWhereTheLayoutPutsThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("question box") << "txt_question" << QRect(16, 48, 345, 217);
        QTest::newRow("answer box") << "txt_answer" << QRect(376, 48, 337, 217);
        QTest::newRow("left picture") << "Picture1" << QRect(16, 272, 345, 225);
        QTest::newRow("right picture") << "Picture2" << QRect(376, 272, 337, 225);
        QTest::newRow("next question") << "cmdNextQuestion" << QRect(16, 0, 65, 49);
        QTest::newRow("enter response") << "cmd_enter_response" << QRect(376, 16, 57, 33);
        QTest::newRow("quit") << "cmd_quit" << QRect(680, 0, 49, 33);
        QTest::newRow("pend exp") << "cmd_pend_exp" << QRect(576, 504, 33, 25);
        QTest::newRow("parameter 1 box") << "txt_parameter_0" << QRect(448, 512, 20, 19);
    }

    void mainControlsSitWhereTheLayoutPutsThem()
    {
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        LoadedForm loaded({});
        QCOMPARE(loaded.form->control(name)->geometry(), pixels);
    }

    void windowPlacesEveryControlFromTheTable()
    {
        LoadedForm loaded;
        QCOMPARE(loaded.form->windowTitle(), QStringLiteral("Form1"));
        QCOMPARE(loaded.form->size(), QSize(725, 566));
        for (const ControlSpec& control : kControls) {
            QWidget* widget = loaded.form->control(QString::fromStdString(controlName(control)));
            QVERIFY(widget != nullptr);
            QCOMPARE(widget->geometry(),
                     QRect(control.left / 15, control.top / 15, control.width / 15, control.height / 15));
            QVERIFY(!widget->accessibleName().isEmpty());
            if (const auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
                QCOMPARE(box->font().family(), QStringLiteral("System"));
                QCOMPARE(box->font().pointSizeF(), 9.75);
                QCOMPARE(box->font().weight(), QFont::Bold);
                QVERIFY(box->tabChangesFocus());
                QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
                QCOMPARE(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            } else if (const auto* label = qobject_cast<QLabel*>(widget)) {
                QVERIFY(label->wordWrap());
                QCOMPARE(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
            } else if (control.kind == ControlKind::Button) {
                QCOMPARE(widget->font().pointSizeF(), 7.5);
            }
        }
        QCOMPARE(loaded.form->control("cmd_display_note_file")->size(), QSize(9, 13));
        QCOMPARE(loaded.form->control("cmd_display_note_file")->toolTip(), QStringLiteral("display notes"));
        QCOMPARE(loaded.form->control("lbl_paragraph_goback")->toolTip(), QStringLiteral("# sentences previous"));
        QCOMPARE(loaded.box("txt_answer")->toPlainText(), QStringLiteral(" "));
        QCOMPARE(loaded.box("txt_question")->toPlainText(), QString());
        QCOMPARE(qobject_cast<QLineEdit*>(loaded.form->control("txt_parameter_3"))->text(), QStringLiteral("1"));
        loaded.input = ScriptedInput{};
    }

    void tabOrderFollowsTheTable()
    {
        LoadedForm loaded;
        QWidget* widget = loaded.form->control("txt_question");
        QStringList order;
        for (int i = 0; i < 25; ++i) {
            order << widget->objectName();
            widget = widget->nextInFocusChain();
            while (qobject_cast<QLabel*>(widget) != nullptr || widget->objectName().isEmpty()
                   || widget->parentWidget() != loaded.form.get())
                widget = widget->nextInFocusChain();
        }
        QCOMPARE(order.mid(0, 6),
                 (QStringList{"txt_question", "txt_answer", "cmdNextQuestion", "cmd_enter_response", "Picture1",
                              "Picture2"}));
        QCOMPARE(order.mid(16, 5),
                 (QStringList{"cmd_displayCumulativeText", "cmd_display_note_file", "cmd_quit", "cmd_pend_exp",
                              "cmd_next_picture"}));
        loaded.input = ScriptedInput{};
    }

    // Start-up gives both panels 1000 units across and down, whatever their size.
    void loadGivesBothPanelsTheirThousandUnitScale()
    {
        LoadedForm loaded;
        QCOMPARE(loaded.form->load(), Flow::Continue);
        for (const char* name : {"Picture1", "Picture2"}) {
            const auto* panel = dynamic_cast<PicturePanel*>(loaded.form->control(QLatin1String(name)));
            QVERIFY(panel != nullptr);
            QCOMPARE(panel->scaleWidth(), 1000.0);
            QCOMPARE(panel->scaleHeight(), 1000.0);
            QCOMPARE(panel->toPixels({1000, 1000}), QPointF(panel->width(), panel->height()));
        }
    }

    void pendExpStartsAFifteenMillisecondTimer()
    {
        LoadedForm loaded;
        QCOMPARE(loaded.form->load(), Flow::Continue);
        for (int i = 0; i < 1000; ++i)
            loaded.random.add(0.5f);
        auto* timer = loaded.form->findChild<QTimer*>(QStringLiteral("tmr_pend_exp"));
        QVERIFY(timer != nullptr);
        QTest::qWait(50);
        QVERIFY(!timer->isActive());
        QCOMPARE(loaded.beep.beeps, 0);

        loaded.click("cmd_pend_exp");
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 15);
        QTRY_VERIFY(loaded.beep.beeps > 0);
        loaded.click("cmd_pend_exp"); // a second click leaves it as it is
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 15);
    }

    // A modal box holds the window's events, ticks included; they go on after it.
    void noTickWhileAModalBoxIsOpen()
    {
        LoadedForm loaded;
        QCOMPARE(loaded.form->load(), Flow::Continue);
        for (int i = 0; i < 1000; ++i)
            loaded.random.add(0.5f);
        loaded.click("cmd_pend_exp");
        QTRY_VERIFY(loaded.beep.beeps > 0);

        QDialog box(loaded.form.get());
        box.setModal(true);
        box.show();
        QTRY_COMPARE(QApplication::activeModalWidget(), &box);
        const int before = loaded.beep.beeps;
        QTest::qWait(100);
        QCOMPARE(loaded.beep.beeps, before);

        box.hide();
        QTRY_VERIFY(loaded.beep.beeps > before);
    }

    void clearBoxEmptiesOnlyTheAnswerBox()
    {
        LoadedForm loaded;
        QCOMPARE(loaded.form->load(), Flow::Continue);
        loaded.box("txt_answer")->setPlainText(QStringLiteral("typed"));
        const TutorState before = loaded.form->state();
        loaded.click("cmd_clear_answer_box");
        loaded.click("cmd_clear_answer_box");
        QCOMPARE(loaded.form->state().lineIndex, before.lineIndex);
        QVERIFY(!loaded.form->hasEnded());
    }

    // The event loop ends with status 0, the window goes and the experiment's
    // timer stops with it.
    void quitEndsTheProgramAndNothingRunsAfterIt()
    {
        LoadedForm loaded;
        QCOMPARE(loaded.form->load(), Flow::Continue);
        loaded.form->show();
        loaded.click("cmd_pend_exp");
        QTimer::singleShot(0, loaded.form.get(), [&loaded] { loaded.click("cmd_quit"); });
        QTimer stalled; // a quit that does not end the loop fails instead of hanging
        stalled.callOnTimeout([] { QCoreApplication::exit(99); });
        stalled.start(10000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(loaded.form->hasEnded());
        QVERIFY(loaded.form->isHidden());
        QVERIFY(!loaded.form->findChild<QTimer*>(QStringLiteral("tmr_pend_exp"))->isActive());
        const int index = loaded.form->state().lineIndex;
        loaded.click("cmdNextQuestion");
        QCOMPARE(loaded.form->state().lineIndex, index);
    }

    // A start that cannot go on ends the program before the window is shown.
    void aFailedStartEndsTheProgram_data()
    {
        QTest::addColumn<bool>("headerBlocked");
        QTest::newRow("no assignment chosen") << false;
        QTest::newRow("start header not written") << true;
    }
    void aFailedStartEndsTheProgram()
    {
        QFETCH(bool, headerBlocked);
        LoadedForm loaded(headerBlocked ? std::initializer_list<std::string>{"Ann", "", "1"}
                                        : std::initializer_list<std::string>{"Ann", "", "99", ""});
        if (headerBlocked)
            std::filesystem::create_directory(loaded.folder.file("masterFile_Ann.txt"));
        QCOMPARE(loaded.form->load(), Flow::EndProgram);
        QVERIFY(loaded.form->hasEnded());
        QCOMPARE(loaded.messages.told.size(), std::size_t{1});
    }

    // "next picture" runs a routine one or two entries ahead; "exitprog" ends.
    // "copy picture" puts the graph shown on the clipboard.
    void nextPictureRunsTheRoutineAhead()
    {
        LoadedForm loaded;
        QCOMPARE(loaded.form->load(), Flow::Continue);
        TutorState& state = loaded.form->state();
        const int at = state.lineIndex;
        state.scriptLines[static_cast<std::size_t>(at + 2)] = "`routine graph2";
        loaded.click("cmd_next_picture");
        QCOMPARE(state.lineIndex, at + 2);
        QVERIFY(!loaded.form->hasEnded());
        loaded.click("cmd_copy_picture"); // the graph goes through the clipboard
        QCOMPARE(loaded.clipboard.placed, 1);
        QCOMPARE(loaded.clipboard.held, dynamic_cast<PicturePanel*>(loaded.form->control("Picture1"))->picture());
        state.scriptLines[static_cast<std::size_t>(at + 3)] = "`routine exitprog";
        loaded.click("cmd_next_picture");
        QVERIFY(loaded.form->hasEnded());
    }

    // The caption keeps 2 pixels clear left and right and 1 above and below.
    void captionButtonFitsItsCaptionInsideAMargin()
    {
        CaptionButton button(QStringLiteral("quit"));
        const QSize text = button.fontMetrics().size(0, button.text());
        button.resize(text.width() + 4, text.height() + 2);
        QVERIFY(button.captionFits());
        button.resize(text.width() + 3, text.height() + 2);
        QVERIFY(!button.captionFits());
        button.resize(text.width() + 4, text.height() + 1);
        QVERIFY(!button.captionFits());
    }

    void walkingAssignmentOneEndsAtTheNextHeader()
    {
        LoadedForm loaded;
        QCOMPARE(loaded.form->load(), Flow::Continue);
        QVERIFY(QFile::exists(QString::fromStdString(loaded.folder.file("masterFile_Ann.txt"))));
        for (int stop = 1; stop <= 8; ++stop) {
            loaded.click("cmdNextQuestion");
            QVERIFY(!loaded.form->hasEnded());
            QCOMPARE(loaded.form->state().lineKind, std::string(stop % 2 == 1 ? "question" : "answer"));
            QCOMPARE(loaded.form->state().questionNumber, std::to_string((stop + 1) / 2));
        }
        const QString shown = loaded.box("txt_question")->toPlainText();
        QVERIFY(
            shown.startsWith(QStringLiteral("`qNote that there are four questions in this assignment.  \n\n`q001.")));
        // Unanswered stops put the invitation back into the answer box.
        QCOMPARE(loaded.box("txt_answer")->toPlainText(),
                 QString::fromStdString(responsePromptText()).replace("\r\n", "\n"));
        const std::string master = loaded.masterFile();
        loaded.click("cmd_enter_response"); // the invitation alone: nothing recorded, both boxes emptied
        QCOMPARE(loaded.box("txt_question")->toPlainText(), QString());
        QCOMPARE(loaded.masterFile(), master);
        loaded.click("cmdNextQuestion");
        QVERIFY(loaded.form->hasEnded());
        QCOMPARE(loaded.box("txt_question")->toPlainText(), QString());
    }

    void enterResponseRecordsAndEmptiesBothBoxes()
    {
        LoadedForm loaded({"Ann", "", "1", "2"});
        QCOMPARE(loaded.form->load(), Flow::Continue);
        loaded.click("cmdNextQuestion");
        loaded.box("txt_answer")->setPlainText(QStringLiteral("12 dollars\nthen 18"));
        loaded.click("cmd_enter_response");
        QCOMPARE(loaded.box("txt_question")->toPlainText(), QString());
        const std::string master = readFile(loaded.folder.file("masterFile_Ann.txt"));
        QVERIFY(master.find("RESPONSE -->  \r\n12 dollars\r\nthen 18\r\nconfidence assessment:  2\r\n")
                != std::string::npos);
        QVERIFY(master.find("`questionNumber 10001 \r\n") != std::string::npos);
    }

    void charactersTheRecordsCannotHoldAreNamedAndKept()
    {
        LoadedForm loaded;
        QCOMPARE(loaded.form->load(), Flow::Continue);
        const QString typed = QStringLiteral("the slope is \u0394y/\u0394x");
        loaded.box("txt_answer")->setPlainText(typed);
        const std::string before = readFile(loaded.folder.file("masterFile_Ann.txt"));
        loaded.click("cmd_enter_response");
        loaded.click("cmd_save_as_notes");
        QCOMPARE(loaded.box("txt_answer")->toPlainText(), typed);
        QCOMPARE(readFile(loaded.folder.file("masterFile_Ann.txt")), before);
        QCOMPARE(loaded.messages.told.size(), std::size_t{2});
        QVERIFY(loaded.messages.told[0].find("\u0394") != std::string::npos);
    }

    void aFailedPressKeepsTheText()
    {
        LoadedForm loaded;
        QCOMPARE(loaded.form->load(), Flow::Continue);
        QDir(QString::fromStdString(loaded.folder.path())).removeRecursively();
        loaded.box("txt_answer")->setPlainText(QStringLiteral("my work"));
        loaded.click("cmd_save_as_notes");
        QCOMPARE(loaded.box("txt_answer")->toPlainText(), QStringLiteral("my work"));
        QCOMPARE(loaded.messages.told.size(), std::size_t{1});
    }

    void viewersAddTheFilesToTheQuestionBox()
    {
        LoadedForm loaded;
        QCOMPARE(loaded.form->load(), Flow::Continue);
        QPlainTextEdit* question = loaded.box("txt_question");
        loaded.click("cmd_display_note_file"); // no notes yet: a message, the box unchanged
        QCOMPARE(loaded.messages.told.size(), std::size_t{1});
        QCOMPARE(question->toPlainText(), QString());

        loaded.box("txt_answer")->setPlainText(QStringLiteral("ok"));
        loaded.click("cmd_save_as_notes");
        loaded.click("cmd_display_note_file");
        QVERIFY(question->toPlainText().startsWith(QStringLiteral("......!!!!!!!!.....")));
        QVERIFY(question->toPlainText().contains(QStringLiteral("NOTES -------> ok.....")));
        QVERIFY(!question->toPlainText().contains(QLatin1Char('\n')));

        writeFile(loaded.form->state().notesFilePath, "a\r\nb\r\nc\r\n");
        writeFile(loaded.form->state().sendFilePath, "x\r\n\x93y\x94\r\n");
        question->setPlainText(QStringLiteral("Q"));
        loaded.click("cmd_display_note_file");
        loaded.click("cmd_display_note_file");
        QCOMPARE(question->toPlainText(), QStringLiteral("Qabcabc"));
        question->setPlainText(QStringLiteral("Q"));
        loaded.click("cmd_displayCumulativeText");
        loaded.click("cmd_displayCumulativeText");
        QCOMPARE(question->toPlainText(), QStringLiteral("Q\nx\n\u201Cy\u201D\nx\n\u201Cy\u201D"));
        QCOMPARE(loaded.messages.told.size(), std::size_t{1});
    }

    // Only the student's typing can be undone, never the program's text.
    void textTheProgramAddsLeavesNoUndoStep()
    {
        LoadedForm loaded;
        QCOMPARE(loaded.form->load(), Flow::Continue);
        QPlainTextEdit* question = loaded.box("txt_question");
        QTest::keyClicks(question, QStringLiteral("typed"));
        writeFile(loaded.form->state().notesFilePath, ""); // nothing to add: the typing stays undoable
        loaded.click("cmd_display_note_file");
        QVERIFY(question->document()->isUndoAvailable());
        writeFile(loaded.form->state().sendFilePath, "x\r\ny\r\n");
        loaded.click("cmd_displayCumulativeText");
        const qsizetype before = question->toPlainText().size();
        loaded.click("cmdNextQuestion");
        const QString shown = question->toPlainText();
        QVERIFY(shown.startsWith(QStringLiteral("typed\nx\ny")));
        QCOMPARE(question->textCursor().position(), before); // the student sees where the new text begins
        QVERIFY(!question->document()->isUndoAvailable());
        question->undo();
        QCOMPARE(question->toPlainText(), shown);
        QTest::keyClicks(question, QStringLiteral("!")); // typing after it can be undone again
        question->undo();
        QCOMPARE(question->toPlainText(), shown);
    }

    // A pipe would block the window if it were opened; a link to a device
    // would show nothing. Both are named instead.
    void aSpecialFileInPlaceOfARecordFileIsNamed()
    {
        LoadedForm loaded;
        QCOMPARE(loaded.form->load(), Flow::Continue);
        const std::string notes = loaded.form->state().notesFilePath;
        const std::string send = loaded.form->state().sendFilePath;
        QCOMPARE(::mkfifo(notes.c_str(), 0600), 0);
        std::filesystem::remove(send);
        std::filesystem::create_symlink("/dev/null", send);
        loaded.box("txt_question")->setPlainText(QStringLiteral("Q"));
        loaded.click("cmd_display_note_file");
        loaded.click("cmd_displayCumulativeText");
        QCOMPARE(loaded.messages.told,
                 (std::vector<std::string>{"The notes file " + notes + " is a named pipe (FIFO), not a file.",
                                           "The send file " + send
                                               + " is a link to /dev/null, which is a device, not a file."}));
        QCOMPARE(loaded.box("txt_question")->toPlainText(), QStringLiteral("Q"));
    }

    void ofALargeSendFileTheEndIsShownUnderAHeading()
    {
        LoadedForm loaded;
        QCOMPARE(loaded.form->load(), Flow::Continue);
        std::string lines;
        int last = 0;
        for (; lines.size() < 4608 * 1024; ++last) // lines long enough for the size to be reached first
            lines += "line " + std::to_string(last) + std::string(70, '.') + "\r\n";
        writeFile(loaded.form->state().sendFilePath, lines);
        loaded.click("cmd_displayCumulativeText");
        const QString shown = loaded.box("txt_question")->toPlainText();
        const QString heading = QStringLiteral("\nThe send file is too large to show whole: shown below are its last "
                                               "4.0 MB of 4.5 MB. The whole file is ")
            + QString::fromStdString(loaded.form->state().sendFilePath) + QStringLiteral("\nline ");
        QVERIFY(shown.startsWith(heading));
        QVERIFY(shown.endsWith(QStringLiteral("\nline %1").arg(last - 1) + QString(70, QLatin1Char('.'))));
        QVERIFY(loaded.messages.told.empty());
    }

    void anUnrecordedAnswerComesBackAtTheNextStart()
    {
        const QString typed = QStringLiteral("half of my answer: \u0394y is 3\nand then");
        LoadedForm first;
        QCOMPARE(first.form->load(), Flow::Continue);
        first.box("txt_answer")->setPlainText(typed);
        // Typing keeps the draft within a second, so a crash loses at most that.
        const auto* draftTimer = first.form->findChild<QTimer*>(QStringLiteral("tmr_draft"));
        QVERIFY(draftTimer != nullptr);
        QVERIFY(draftTimer->isActive());
        QCOMPARE(draftTimer->interval(), 1000);
        first.form->close(); // what was typed in the last second is kept too
        const std::string draft = first.folder.file(".draft_Ann_001.txt");
        QVERIFY(QFile::exists(QString::fromStdString(draft)));

        LoadedForm second({"Ann", "1", first.folder.path(), "1"});
        QCOMPARE(second.form->load(), Flow::Continue);
        QCOMPARE(second.box("txt_answer")->toPlainText(), typed);
        QCOMPARE(second.messages.told, std::vector<std::string>{std::string(kDraftRestoredMessage)});
        QVERIFY(!second.form->findChild<QTimer*>(QStringLiteral("tmr_draft"))->isActive());
        second.click("cmd_clear_answer_box");
        QVERIFY(!QFile::exists(QString::fromStdString(draft)));
    }

    // A long run without a space wraps anywhere, chosen before the text is
    // laid out: by words, Qt would take seconds over a run of a megabyte.
    void aDraftWithALongRunWrapsAnywhereAndProseByWords()
    {
        const struct {
            QString text;
            QTextOption::WrapMode wrap;
        } rows[] = {
            {QStringLiteral("an answer of words ") + QString(2000, QLatin1Char('x')), QTextOption::WordWrap},
            {QStringLiteral("an answer of words ") + QString(1'000'000, QLatin1Char('x')), QTextOption::WrapAnywhere},
        };
        for (const auto& row : rows) {
            LoadedForm loaded({"Ann", "", "1"});
            std::ofstream(loaded.folder.file(".draft_Ann_001.txt"), std::ios::binary) << row.text.toStdString();
            QCOMPARE(loaded.form->load(), Flow::Continue);
            QCOMPARE(loaded.box("txt_answer")->toPlainText().size(), row.text.size());
            QCOMPARE(loaded.box("txt_answer")->wordWrapMode(), row.wrap);
            loaded.click("cmd_clear_answer_box");
            QCOMPARE(loaded.box("txt_answer")->wordWrapMode(), QTextOption::WordWrap);
        }
    }

    // A draft that is not put back is named once, with where it is.
    void aDraftThatIsNotPutBackIsNamed()
    {
        LoadedForm loaded({"Ann", "", "1"});
        const std::string draft = loaded.folder.file(".draft_Ann_001.txt");
        std::filesystem::create_directory(draft);
        QCOMPARE(loaded.form->load(), Flow::Continue);
        QCOMPARE(
            loaded.messages.told,
            std::vector<std::string>{"An answer that you had typed but not recorded was kept in " + draft
                                     + ", but it was not put back in the answer box: it is a folder, not a file."});
    }

    // A draft that cannot be kept is told once, not at every pause in typing.
    void aDraftThatCannotBeKeptIsToldOnce()
    {
        LoadedForm loaded;
        QCOMPARE(loaded.form->load(), Flow::Continue);
        QDir(QString::fromStdString(loaded.folder.path())).removeRecursively();
        auto* draftTimer = loaded.form->findChild<QTimer*>(QStringLiteral("tmr_draft"));
        draftTimer->setInterval(1);
        loaded.box("txt_answer")->setPlainText(QStringLiteral("first"));
        QTRY_COMPARE(loaded.messages.told.size(), std::size_t{1});
        QVERIFY(loaded.messages.told[0].starts_with("The answer you are typing cannot be kept safe in "
                                                    + loaded.form->state().draftFilePath + ": "));
        loaded.box("txt_answer")->setPlainText(QStringLiteral("second"));
        QTRY_VERIFY(!draftTimer->isActive());
        QCOMPARE(loaded.messages.told.size(), std::size_t{1});
    }

    void closingTheWindowEndsTheProgram()
    {
        LoadedForm loaded;
        QCOMPARE(loaded.form->load(), Flow::Continue);
        loaded.form->show();
        loaded.form->close();
        QVERIFY(loaded.form->hasEnded());
    }
};

CALCTUTOR_WIDGET_TEST(MainFormTest);
#include "MainFormTest.moc"
