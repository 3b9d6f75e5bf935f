// The real input box and messages, driven headless: a timer answers each
// modal box from inside its own event loop, as a student would.

#include "WidgetTest.h"
#include "ui/PromptDialog.h"
#include "ui/QtServices.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QtTest>

#include <deque>
#include <functional>

using namespace calctutor;

namespace {

using BoxAction = std::function<void(QDialog*)>;

// Runs one scripted action on each modal box that opens while it lives; a box
// nobody scripted is closed and counted, so a fault that asks again cannot hang.
class BoxAnswerer {
public:
    explicit BoxAnswerer(std::initializer_list<BoxAction> actions) : m_actions(actions)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            if (m_actions.empty()) {
                ++unexpected;
                return box->reject();
            }
            const BoxAction act = m_actions.front();
            m_actions.pop_front();
            act(box);
        });
        m_timer.start(5);
    }
    int unexpected = 0;

private:
    std::deque<BoxAction> m_actions;
    QTimer m_timer;
};

BoxAction type(const QString& text, bool ok = true)
{
    return [text, ok](QDialog* box) {
        box->findChild<QLineEdit*>()->setText(text);
        box->findChild<QDialogButtonBox*>()->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    };
}

} // namespace

class QtServicesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setApplicationDisplayName(QStringLiteral("calctutor")); }

    // The box shows the prompt as plain text wrapped to a paragraph's width,
    // under the program's name, with an empty field that the prompt names.
    void promptDialogShowsThePromptOnly()
    {
        QWidget parent;
        PromptDialog dialog(QStringLiteral("  Your <b>name</b>:  "), &parent);
        const auto* label = dialog.findChild<QLabel*>();
        auto* field = dialog.findChild<QLineEdit*>();
        QVERIFY(dialog.isModal());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("calctutor"));
        QCOMPARE(label->text(), QStringLiteral("  Your <b>name</b>:  "));
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QVERIFY(label->wordWrap());
        QCOMPARE(label->minimumWidth(), 440);
        QCOMPARE(label->maximumWidth(), 440);
        QCOMPARE(label->buddy(), field);
        QCOMPARE(field->accessibleName(), QStringLiteral("Your <b>name</b>:"));
        QCOMPARE(field->text(), QString());
        QCOMPARE(dialog.layout()->sizeConstraint(), QLayout::SetFixedSize);
    }

    // OK gives the text as typed, untrimmed; Cancel gives the empty text
    // whatever was typed; a start text stands in the field when it opens.
    void askGivesTheTypedTextOnlyOnOk()
    {
        QString seen;
        BoxAnswerer answerer{type(QStringLiteral("  12 ")), type(QStringLiteral("typed"), false),
                             [&seen](QDialog* box) {
                                 seen = box->findChild<QLineEdit*>()->text();
                                 box->accept();
                             }};
        QCOMPARE(PromptDialog::ask(QStringLiteral("Number:"), nullptr), QStringLiteral("  12 "));
        QCOMPARE(PromptDialog::ask(QStringLiteral("Number:"), nullptr), QString());
        QCOMPARE(PromptDialog::ask(QStringLiteral("Number:"), nullptr, QStringLiteral("kept")), QStringLiteral("kept"));
        QCOMPARE(seen, QStringLiteral("kept"));
        QCOMPARE(answerer.unexpected, 0);
    }

    void fromDisplay_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QStringList>("unstorable");
        QTest::newRow("line feed") << QStringLiteral("a\nb\n") << QByteArray("a\r\nb\r\n") << QStringList();
        QTest::newRow("CR LF stays one line end") << QStringLiteral("a\r\nb") << QByteArray("a\r\nb") << QStringList();
        QTest::newRow("paragraph separator") << QStringLiteral("a\u2029b") << QByteArray("a\r\nb") << QStringList();
        QTest::newRow("line separator") << QStringLiteral("a\u2028b") << QByteArray("a\r\nb") << QStringList();
        QTest::newRow("Windows-1252 quotes")
            << QStringLiteral("\u201Cx\u201D \u20AC") << QByteArray("\x93x\x94 \x80") << QStringList();
        QTest::newRow("Greek named once") << QStringLiteral("\u0394y/\u0394x \u03C0") << QByteArray("y/x ")
                                          << QStringList{QStringLiteral("\u0394"), QStringLiteral("\u03C0")};
    }
    void fromDisplay()
    {
        QFETCH(QString, shown);
        QFETCH(QByteArray, stored);
        QFETCH(QStringList, unstorable);
        std::vector<std::string> found{"left over"};
        QCOMPARE(QByteArray::fromStdString(calctutor::fromDisplay(shown, &found)), stored);
        QStringList named;
        for (const std::string& character : found)
            named << QString::fromStdString(character);
        QCOMPARE(named, unstorable);
    }

    // A text the records cannot hold is named in a warning and asked for
    // again with the typing kept; the stored text comes back in Windows-1252.
    void inputBoxAsksAgainKeepingTheTyping()
    {
        QWidget parent;
        QtInputBox input(&parent);
        QString warning;
        QString kept;
        QWidget* boxParent = nullptr;
        BoxAnswerer answerer{type(QStringLiteral("\u0394y \u03C0")),
                             [&](QDialog* box) {
                                 warning = static_cast<QMessageBox*>(box)->text();
                                 QCOMPARE(static_cast<QMessageBox*>(box)->icon(), QMessageBox::Warning);
                                 box->accept();
                             },
                             [&](QDialog* box) {
                                 kept = box->findChild<QLineEdit*>()->text();
                                 boxParent = box->parentWidget();
                                 box->findChild<QLineEdit*>()->setText(QStringLiteral("Delta y \u201Cpi\u201D"));
                                 box->accept();
                             }};
        QCOMPARE(input.ask("Your answer:"), std::string("Delta y \x93pi\x94"));
        QCOMPARE(warning, QString::fromStdString(unstorableMessage({"\u0394", "\u03C0"}, TypedIn::Box)));
        QCOMPARE(warning,
                 QStringLiteral("These characters cannot be stored in your record files: \u0394 \u03C0. "
                                "Please replace them, for example by writing the name "
                                "of a Greek letter or symbol in plain letters."));
        // Only the answer box's buttons write, so only there is the student told to press one again.
        QCOMPARE(QString::fromStdString(unstorableMessage({"\u0394"}, TypedIn::AnswerBox)),
                 QStringLiteral("These characters cannot be stored in your record files: \u0394. "
                                "Nothing was written. Please replace them, for example by writing the name "
                                "of a Greek letter or symbol in plain letters, and press the button again."));
        QCOMPARE(kept, QStringLiteral("\u0394y \u03C0"));
        QCOMPARE(boxParent, &parent);
        QCOMPARE(answerer.unexpected, 0);
    }

    // Messages come as UTF-8 and are shown whole in a warning over the window.
    void messagesShowTheWholeText()
    {
        QWidget parent;
        QtMessages messages(&parent);
        QString shown;
        QWidget* boxParent = nullptr;
        BoxAnswerer answerer{[&](QDialog* box) {
            shown = static_cast<QMessageBox*>(box)->text();
            boxParent = box->parentWidget();
            box->accept();
        }};
        messages.tell("The notes file notes_Ren\u00E9.txt is a folder, not a file.");
        QCOMPARE(shown, QStringLiteral("The notes file notes_Ren\u00E9.txt is a folder, not a file."));
        QCOMPARE(boxParent, &parent);
        QCOMPARE(answerer.unexpected, 0);
    }
};

CALCTUTOR_WIDGET_TEST(QtServicesTest);
#include "QtServicesTest.moc"
