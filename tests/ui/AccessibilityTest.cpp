// What a screen reader finds in the main window: every control through Qt's
// accessibility interface, with a name a student can act on, the right role,
// and a description of each picture panel.

#include "WidgetTest.h"
#include "core/Prompts.h"
#include "ui/ControlLayout.h"
#include "ui/MainForm.h"
#include "ui/PromptDialog.h"

#include "LoadedForm.h"

#include <QAccessible>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QtTest>

using namespace calctutor;
using namespace calctutor::testing;

namespace {

QString qString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The accessible children of the window, by object name.
QHash<QString, QAccessibleInterface*> accessibleControls(MainForm& form)
{
    QHash<QString, QAccessibleInterface*> controls;
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form);
    for (int i = 0; window != nullptr && i < window->childCount(); ++i) {
        QAccessibleInterface* child = window->child(i);
        if (child != nullptr && child->object() != nullptr)
            controls.insert(child->object()->objectName(), child);
    }
    return controls;
}

QAccessible::Role expectedRole(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Button: return QAccessible::Button;
    case ControlKind::MultiLineText:
    case ControlKind::SingleLineText: return QAccessible::EditableText;
    case ControlKind::Label: return QAccessible::StaticText;
    case ControlKind::List: return QAccessible::List;
    case ControlKind::Picture: break; // a drawing surface: its description says what it shows
    }
    return QAccessible::NoRole;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlIsReachableThroughTheWindow()
    {
        LoadedForm loaded({});
        const QHash<QString, QAccessibleInterface*> controls = accessibleControls(*loaded.form);
        QStringList missing;
        for (const ControlSpec& control : kControls) {
            const QString name = QString::fromStdString(controlName(control));
            if (!controls.contains(name))
                missing << name;
        }
        QCOMPARE(missing, QStringList());
    }

    void everyControlHasAMeaningfulName_data()
    {
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("spoken");
        // Every other control is called by its caption.
        const QHash<QString, QString> notByCaption{
            {"txt_question", "Question box"},
            {"txt_answer", "Answer box"},
            {"Picture1", "Left picture panel"},
            {"Picture2", "Right picture panel"},
            {"List1", "List (not used)"},
            {"cmd_Make_paragraph", "Make Paragraph, answer side (not used)"},
            {"cmd_Make_Paragraph_question", "Make Paragraph, question side (not used)"},
            {"cmd_timerTrigger", "Trigger Timer (not used)"},
            {"txt_paragraph_goback", "Number of sentences previous"},
            {"txt_parameter_0", "Parameter 1 value"},
            {"txt_parameter_1", "Parameter 2 value"},
            {"txt_parameter_2", "Parameter 3 value"},
            {"txt_parameter_3", "Parameter 4 value"},
        };
        for (const ControlSpec& control : kControls) {
            const QString name = QString::fromStdString(controlName(control));
            QTest::newRow(qPrintable(name)) << name << notByCaption.value(name, qString(control.caption));
        }
    }

    // A name that is empty, the object name, or just the control's initial
    // text ("1" in a parameter box) tells the student nothing.
    void everyControlHasAMeaningfulName()
    {
        QFETCH(QString, objectName);
        QFETCH(QString, spoken);
        LoadedForm loaded({});
        QAccessibleInterface* control = accessibleControls(*loaded.form).value(objectName);
        QVERIFY(control != nullptr);
        const ControlSpec* row = findControl(objectName.toStdString());
        const QString name = control->text(QAccessible::Name);
        QCOMPARE(name, spoken);

        QVERIFY2(!name.trimmed().isEmpty(), "no accessible name");
        QVERIFY2(name != objectName, qPrintable("the name is the object name " + name));
        QVERIFY2(!name.contains(QLatin1Char('_')), qPrintable("the name reads like code: " + name));
        QVERIFY2(name.count(QRegularExpression(QStringLiteral("[A-Za-z]"))) >= 3,
                 qPrintable("the name has no words: " + name));
        // Buttons and labels are named by what a sighted student reads on them,
        // so that both can talk about the same control.
        if (row->kind == ControlKind::Button || row->kind == ControlKind::Label)
            QVERIFY2(name.startsWith(qString(row->caption)), qPrintable(name));
        if (row->kind != ControlKind::Picture)
            QCOMPARE(control->role(), expectedRole(row->kind));
    }

    // Two controls with one name cannot be told apart by ear: "Next Question /
    // Answer" and "Enter Response" above all, but also the two "Make Paragraph"
    // buttons and each parameter's label and box.
    void noTwoControlsShareAName()
    {
        LoadedForm loaded({});
        QHash<QString, QString> owners;
        const QHash<QString, QAccessibleInterface*> controls = accessibleControls(*loaded.form);
        for (const ControlSpec& control : kControls) {
            const QString objectName = QString::fromStdString(controlName(control));
            const QString name = controls.value(objectName)->text(QAccessible::Name);
            QVERIFY2(!owners.contains(name),
                     qPrintable(
                         QStringLiteral("%1 and %2 are both called \"%3\"").arg(owners.value(name), objectName, name)));
            owners.insert(name, objectName);
        }
        QCOMPARE(owners.value(QStringLiteral("Next Question / Answer")), QStringLiteral("cmdNextQuestion"));
        QCOMPARE(owners.value(QStringLiteral("Enter Response")), QStringLiteral("cmd_enter_response"));
    }

    void picturePanelsSayWhatTheyShow()
    {
        LoadedForm loaded({});
        const QHash<QString, QAccessibleInterface*> controls = accessibleControls(*loaded.form);
        const QString left = controls.value(QStringLiteral("Picture1"))->text(QAccessible::Description);
        const QString right = controls.value(QStringLiteral("Picture2"))->text(QAccessible::Description);
        QCOMPARE(left, QStringLiteral("Shows the graph of the current assignment and the timer experiment's circles"));
        QCOMPARE(right, QStringLiteral("Shows the picture copied from the left panel"));
    }

    // The question box is a text a screen reader can read out, not a picture
    // of one: after "Next Question / Answer" it reads the question shown.
    void aScreenReaderReadsTheQuestionShown()
    {
        LoadedForm loaded;
        QCOMPARE(loaded.form->load(), Flow::Continue);
        qobject_cast<QPushButton*>(loaded.form->control(QStringLiteral("cmdNextQuestion")))->click();
        QAccessibleInterface* question = accessibleControls(*loaded.form).value(QStringLiteral("txt_question"));
        QAccessibleTextInterface* text = question->textInterface();
        QVERIFY(text != nullptr);
        const QString read = text->text(0, text->characterCount());
        QVERIFY2(read.contains(QStringLiteral("001.  A stock is worth $40")), qPrintable(read));
        QCOMPARE(read, loaded.box("txt_question")->toPlainText());
    }

    // The start-up questions: the answer field is named by its question, and
    // both buttons of the box have names.
    void startUpBoxNamesItsFieldByTheQuestion_data()
    {
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("fieldName");
        QTest::newRow("name") << qString(kNamePrompt) << QStringLiteral("Your full name:");
        QTest::newRow("assignment") << qString(kAssignmentPrompt) << QStringLiteral("Assignment Number:");
        const QString folder = QString::fromStdString(firstFolderPrompt("/home/ann/tesmoril"));
        QTest::newRow("folder") << folder << folder.trimmed();
    }

    void startUpBoxNamesItsFieldByTheQuestion()
    {
        QFETCH(QString, prompt);
        QFETCH(QString, fieldName);
        PromptDialog dialog(prompt);
        auto* field = dialog.findChild<QLineEdit*>();
        QVERIFY(field != nullptr);
        QCOMPARE(QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name), fieldName);
        const QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
        QCOMPARE(buttons.size(), 2);
        for (QPushButton* button : buttons)
            QVERIFY(!QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name).isEmpty());
    }
};

CALCTUTOR_WIDGET_TEST(AccessibilityTest);
#include "AccessibilityTest.moc"
