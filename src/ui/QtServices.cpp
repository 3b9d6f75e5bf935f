#include "ui/QtServices.h"

#include "core/Windows1252.h"
#include "ui/PromptDialog.h"

#include <QApplication>
#include <QMessageBox>

namespace calctutor {

std::string fromDisplay(const QString& text, std::vector<std::string>* unstorable)
{
    QString withLineEnds = text;
    withLineEnds.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    withLineEnds.replace(QChar::LineSeparator, QLatin1Char('\n'));
    withLineEnds.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    withLineEnds.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    Encoded1252 encoded = utf8ToWindows1252(withLineEnds.toStdString());
    if (unstorable != nullptr)
        *unstorable = std::move(encoded.unstorable);
    return std::move(encoded.text);
}

std::string unstorableMessage(const std::vector<std::string>& characters, TypedIn where)
{
    std::string list;
    for (const std::string& character : characters)
        list += (list.empty() ? "" : " ") + character;
    const std::string replace =
        "Please replace them, for example by writing the name of a Greek letter or symbol in plain letters";
    // A box asks again with the text kept; only the answer box's buttons write anything.
    if (where == TypedIn::Box)
        return "These characters cannot be stored in your record files: " + list + ". " + replace + ".";
    return "These characters cannot be stored in your record files: " + list + ". Nothing was written. " + replace
        + ", and press the button again.";
}

std::string QtInputBox::ask(std::string_view prompt)
{
    QString typed;
    for (;;) {
        typed = PromptDialog::ask(toDisplay(prompt), m_parent, typed);
        std::vector<std::string> unstorable;
        std::string answer = fromDisplay(typed, &unstorable);
        if (unstorable.empty())
            return answer;
        QMessageBox::warning(m_parent, QString(), QString::fromStdString(unstorableMessage(unstorable, TypedIn::Box)));
    }
}

void QtBeep::beep()
{
    QApplication::beep();
}

void QtMessages::tell(std::string_view message)
{
    QMessageBox::warning(m_parent, QString(),
                         QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())));
}

} // namespace calctutor
