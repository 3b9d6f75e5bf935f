#pragma once
// The platform services that the tutor's logic needs, each behind a small
// interface so that tests can script them. The real ones live at the edge:
// Qt dialogs and beep in ui/, the system clock and generator in platform/.
// Texts are Windows-1252 strings, except the messages to the student, which
// are UTF-8 so that they can name characters the record files cannot hold.

#include <cstdint>
#include <string>
#include <string_view>

namespace calctutor {

// Asks the student one question in a modal box and waits; Cancel gives "".
class InputBox {
public:
    virtual ~InputBox() = default;
    virtual std::string ask(std::string_view prompt) = 0;
};

// Tells the student something that went wrong and waits until it is read (UTF-8).
class StudentMessages {
public:
    virtual ~StudentMessages() = default;
    virtual void tell(std::string_view message) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual int secondsSinceMidnight() = 0;
    virtual std::string date() = 0; // mm-dd-yyyy
    virtual std::string time() = 0; // hh:mm:ss, 24-hour clock
};

// The program's one random generator: seeded once, draws r with 0 <= r < 1.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seed(std::uint32_t seed) = 0;
    virtual float next() = 0;
};

// The system beep.
class Beep {
public:
    virtual ~Beep() = default;
    virtual void beep() = 0;
};

// Shows the graph that a script routine names ("graph2" is graph 2).
class GraphDisplay {
public:
    virtual ~GraphDisplay() = default;
    virtual void showGraph(int graphNumber) = 0;
};

} // namespace calctutor
