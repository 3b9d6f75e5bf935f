// The program's Windows-1252 texts as the window shows them: every byte's
// character, the line ends, and what each viewer adds to the question box.

#include "WidgetTest.h"
#include "core/Windows1252.h"
#include "ui/DisplayText.h"

#include <QtTest>

#include <string>

using namespace calctutor;

class DisplayTextTest : public QObject {
    Q_OBJECT

private slots:
    // The one-pass decoder and the UTF-8 conversion the records use must agree.
    void everyByteShowsItsWindows1252Character()
    {
        std::string all;
        for (int byte = 0; byte < 256; ++byte)
            all.push_back(static_cast<char>(byte));
        QCOMPARE(toDisplay(all), QString::fromStdString(windows1252ToUtf8(all)));
        QCOMPARE(toDisplay("\x80 \x93x\x94 caf\xE9"), QStringLiteral("\u20AC \u201Cx\u201D caf\u00E9"));
    }

    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("CR LF") << QByteArray("a\r\nb") << QStringLiteral("a\nb");
        QTest::newRow("two CR LF") << QByteArray("\r\n\r\n") << QStringLiteral("\n\n");
        QTest::newRow("CR LF at the end") << QByteArray("a\r\n") << QStringLiteral("a\n");
        QTest::newRow("bare CR is kept") << QByteArray("a\rb") << QStringLiteral("a\rb");
        QTest::newRow("CR at the end") << QByteArray("a\r") << QStringLiteral("a\r");
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void lineEnds()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, shown);
        QCOMPARE(toDisplay(std::string_view(text.constData(), static_cast<std::size_t>(text.size()))), shown);
    }

    void viewers_data()
    {
        QTest::addColumn<QByteArray>("heading");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("sendFile");
        QTest::newRow("whole file") << QByteArray() << QByteArray("a\r\n\x80\r\n") << QStringLiteral("a\u20AC")
                                    << QStringLiteral("\na\n\u20AC");
        QTest::newRow("empty file") << QByteArray() << QByteArray() << QString() << QString();
        QTest::newRow("end of a large file")
            << QByteArray("shown: 2 of 9 \xE9") << QByteArray("x\ry\n") << QStringLiteral("\nshown: 2 of 9 \u00E9\nxy")
            << QStringLiteral("\nshown: 2 of 9 \u00E9\nx\ny");
    }
    void viewers()
    {
        QFETCH(QByteArray, heading);
        QFETCH(QByteArray, content);
        QFETCH(QString, notes);
        QFETCH(QString, sendFile);
        const FileView view{{}, heading.toStdString(), content.toStdString()};
        QCOMPARE(viewerDisplay(view, Viewer::Notes), notes);
        QCOMPARE(viewerDisplay(view, Viewer::SendFile), sendFile);
    }
};

CALCTUTOR_WIDGET_TEST(DisplayTextTest);
#include "DisplayTextTest.moc"
