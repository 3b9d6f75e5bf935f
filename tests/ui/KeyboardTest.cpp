// The main window with the keyboard alone: Tab walks the controls in the
// window's tab order and Space presses the button that has the focus. One
// question and its given answer are worked through by key presses only, and
// the record files must show the response, the critique and both ratings.

#include "WidgetTest.h"
#include "ui/ControlLayout.h"
#include "ui/MainForm.h"

#include "LoadedForm.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

using namespace calctutor;
using namespace calctutor::testing;

namespace {

QString focusName()
{
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus->objectName() : QString();
}

// Presses Tab on whatever has the focus until the named control has it, and
// gives how many presses that took; -1 when a whole round did not reach it.
int tabTo(const QString& name)
{
    for (int presses = 0; presses <= static_cast<int>(kControls.size()); ++presses) {
        if (focusName() == name)
            return presses;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return -1;
}

void pressSpace()
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
}

// Replaces the whole text of the focused box as a student would: select all, type.
void typeOver(const QString& text)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), text);
}

int occurrences(const std::string& text, const std::string& part)
{
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

// A loaded window, shown and active, with the focus where loading left it.
struct ShownForm : LoadedForm {
    ShownForm()
    {
        started = form->load() == Flow::Continue;
        form->show();
        form->activateWindow();
        active = QTest::qWaitForWindowActive(form.get());
    }
    bool started = false;
    bool active = false;
};

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    // Every control but the labels takes the focus once per round of Tab, in
    // the order of the layout table, and the round closes on itself.
    void tabVisitsEveryControlInTheTableOrder()
    {
        ShownForm shown;
        QVERIFY(shown.started);
        QVERIFY(shown.active);
        QCOMPARE(focusName(), QStringLiteral("txt_question"));
        QStringList expected;
        for (const ControlSpec& control : kControls) {
            if (control.kind != ControlKind::Label)
                expected << QString::fromStdString(controlName(control));
        }
        QStringList visited;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            visited << focusName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, expected);
        QCOMPARE(focusName(), QStringLiteral("txt_question"));
    }

    void spaceOnTheFocusedButtonPressesItOnce()
    {
        ShownForm shown;
        QVERIFY(shown.active);
        QCOMPARE(tabTo(QStringLiteral("cmdNextQuestion")), 2);
        pressSpace();
        QCOMPARE(shown.form->state().questionNumber, std::string("1"));
        QCOMPARE(shown.form->state().lineKind, std::string("question"));
        QCOMPARE(focusName(), QStringLiteral("cmdNextQuestion"));
    }

    // Return in the answer box starts a new line of the answer; it never
    // presses a button behind the student's back.
    void returnInTheAnswerBoxTypesALineBreak()
    {
        ShownForm shown;
        QVERIFY(shown.active);
        QCOMPARE(tabTo(QStringLiteral("txt_answer")), 1);
        typeOver(QStringLiteral("first line"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("second line"));
        QCOMPARE(shown.box("txt_answer")->toPlainText(), QStringLiteral("first line\nsecond line"));
        QCOMPARE(shown.form->state().lineKind, std::string());
        QCOMPARE(focusName(), QStringLiteral("txt_answer"));
    }

    void aQuestionAndItsAnswerWorkedThroughByKeyboard()
    {
        ShownForm shown;
        QVERIFY(shown.started);
        QVERIFY(shown.active);

        // The question.
        QCOMPARE(tabTo(QStringLiteral("cmdNextQuestion")), 2);
        pressSpace();
        QVERIFY(shown.box("txt_question")->toPlainText().contains(QStringLiteral("001.  A stock is worth $40")));

        // The response, and its confidence rating.
        QVERIFY(tabTo(QStringLiteral("txt_answer")) > 0);
        typeOver(QStringLiteral("The value changed by 12 and then by 18 dollars."));
        QCOMPARE(tabTo(QStringLiteral("cmd_enter_response")), 2);
        shown.input.add("2");
        pressSpace();
        QVERIFY2(!shown.input.prompts.empty()
                     && QString::fromStdString(shown.input.prompts.back()).startsWith("Assess"),
                 "the confidence box was not asked");
        const std::string afterResponse = shown.masterFile();
        QVERIFY(afterResponse.find("The value changed by 12 and then by 18 dollars.\r\n") != std::string::npos);
        QVERIFY(afterResponse.find("confidence assessment:  2\r\n") != std::string::npos);
        QCOMPARE(occurrences(afterResponse, "RESPONSE -->  "), 1);
        QVERIFY(shown.sendFile().find("confidence assessment:  2\r\n") != std::string::npos);
        QCOMPARE(shown.box("txt_answer")->toPlainText(), QString());
        QCOMPARE(shown.box("txt_question")->toPlainText(), QString());
        QVERIFY(shown.messages.told.empty());

        // The given answer.
        QVERIFY(tabTo(QStringLiteral("cmdNextQuestion")) > 0);
        pressSpace();
        QCOMPARE(shown.form->state().lineKind, std::string("answer"));
        QVERIFY2(
            shown.box("txt_question")->toPlainText().contains(QStringLiteral("During the first period the value went")),
            qPrintable(shown.box("txt_question")->toPlainText()));
        QCOMPARE(shown.box("txt_answer")->toPlainText(), QString()); // no invitation after a recorded response

        // The critique, and its rating.
        QVERIFY(tabTo(QStringLiteral("txt_answer")) > 0);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("I compared the changes, not the rates."));
        QCOMPARE(tabTo(QStringLiteral("cmd_enter_response")), 2);
        shown.input.add("3");
        pressSpace();
        const std::string afterCritique = shown.masterFile();
        QVERIFY(afterCritique.find("I compared the changes, not the rates.\r\n") != std::string::npos);
        QVERIFY(afterCritique.find("self critique assessment: 3\r\n") != std::string::npos);
        QCOMPARE(occurrences(afterCritique, "RESPONSE -->  "), 2);
        QCOMPARE(occurrences(afterCritique, "confidence assessment:  "), 1);
        QCOMPARE(shown.input.prompts.size(), std::size_t{5}); // name, folder, assignment and the two ratings
        QVERIFY(shown.messages.told.empty());
        QVERIFY(!shown.form->hasEnded());
    }
};

CALCTUTOR_WIDGET_TEST(KeyboardTest);
#include "KeyboardTest.moc"
