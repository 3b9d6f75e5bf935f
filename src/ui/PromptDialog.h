#pragma once
// The tutor's modal input box: the prompt, wrapped to a readable width, a
// one-line answer field, OK and Cancel. The box has no title of its own, so
// it shows the program's name; there is no default answer.

#include <QDialog>

class QLabel;
class QLineEdit;

namespace calctutor {

class PromptDialog : public QDialog {
public:
    explicit PromptDialog(const QString& prompt, QWidget* parent = nullptr);

    QString answer() const;
    void setAnswer(const QString& text);

    // Shows the box and waits; the empty text on Cancel.
    static QString ask(const QString& prompt, QWidget* parent, const QString& startText = {});

private:
    QLabel* m_prompt;
    QLineEdit* m_answer;
};

} // namespace calctutor
