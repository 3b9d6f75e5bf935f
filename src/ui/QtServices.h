#pragma once
// The real platform services of the running program, on Qt: the input box,
// messages to the student and conversion of the program's Windows-1252 texts
// to and from the window's texts.

#include "core/Services.h"
#include "ui/DisplayText.h"

#include <QString>

#include <string>
#include <vector>

class QWidget;

namespace calctutor {

// The window's text back to Windows-1252 with CR LF line ends (toDisplay goes the other way).
std::string fromDisplay(const QString& text, std::vector<std::string>* unstorable = nullptr);

class QtInputBox final : public InputBox {
public:
    explicit QtInputBox(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    // Asks again, keeping the text, while it holds characters the records cannot store.
    std::string ask(std::string_view prompt) override;

private:
    QWidget* m_parent;
};

class QtMessages final : public StudentMessages {
public:
    explicit QtMessages(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    void tell(std::string_view message) override;

private:
    QWidget* m_parent;
};

class QtBeep final : public Beep {
public:
    void beep() override;
};

// The message that names characters a record file cannot hold.
// Where the student typed characters that the record files cannot hold.
enum class TypedIn {
    AnswerBox, // read when a button records or saves the text
    Box,       // a start-up or rating box, which asks again
};
std::string unstorableMessage(const std::vector<std::string>& characters, TypedIn where); // UTF-8

} // namespace calctutor
