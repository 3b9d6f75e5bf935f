#include "WidgetTest.h"

#include <QApplication>
#include <QtTest>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace calctutor::testing {
namespace {

std::map<std::string, WidgetTestMaker>& widgetTests()
{
    static std::map<std::string, WidgetTestMaker> tests;
    return tests;
}

} // namespace

bool registerWidgetTest(const char* name, WidgetTestMaker make)
{
    return widgetTests().emplace(name, make).second;
}

} // namespace calctutor::testing

// As QTEST_MAIN sets a widget test up, for the one class named first.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    const auto& tests = calctutor::testing::widgetTests();
    const auto chosen = argc > 1 ? tests.find(argv[1]) : tests.end();
    if (chosen == tests.end()) {
        std::fprintf(stderr, "usage: %s TEST [Qt Test options], where TEST is one of:\n", argv[0]);
        for (const auto& [name, make] : tests)
            std::fprintf(stderr, "  %s\n", name.c_str());
        return 2;
    }
    std::vector<char*> arguments{argv[0]};
    arguments.insert(arguments.end(), argv + 2, argv + argc);
    const std::unique_ptr<QObject> test = chosen->second();
    return QTest::qExec(test.get(), static_cast<int>(arguments.size()), arguments.data());
}
