// The floor of the tutor's start-up: a bare Qt program that asks one question
// in a QInputDialog and ends.

#include <QApplication>
#include <QInputDialog>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString name = QInputDialog::getText(nullptr, QString(), QStringLiteral("Please enter your full name"));
    return name.isEmpty() ? 1 : 0;
}
