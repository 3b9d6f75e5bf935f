#include "ui/PromptDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace calctutor {

namespace {
// Wide enough for a short prompt on one line, narrow enough that a prompt of
// several hundred characters reads as a paragraph.
constexpr int kPromptWidth = 440;
} // namespace

PromptDialog::PromptDialog(const QString& prompt, QWidget* parent)
    : QDialog(parent), m_prompt(new QLabel(prompt, this)), m_answer(new QLineEdit(this))
{
    setWindowTitle(QApplication::applicationDisplayName());
    setModal(true);
    m_prompt->setWordWrap(true);
    m_prompt->setTextFormat(Qt::PlainText);
    m_prompt->setFixedWidth(kPromptWidth);
    m_prompt->setBuddy(m_answer);
    m_answer->setAccessibleName(prompt.trimmed());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_answer);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString PromptDialog::answer() const
{
    return m_answer->text();
}

void PromptDialog::setAnswer(const QString& text)
{
    m_answer->setText(text);
}

QString PromptDialog::ask(const QString& prompt, QWidget* parent, const QString& startText)
{
    PromptDialog dialog(prompt, parent);
    dialog.setAnswer(startText);
    return dialog.exec() == QDialog::Accepted ? dialog.answer() : QString();
}

} // namespace calctutor
