#pragma once
// The widget tests share one executable; each test class registers itself
// under its own name, and `widget_tests NAME [Qt Test options]` runs that
// class alone in a fresh process, as its own ctest case.

#include <QObject>

#include <memory>

namespace calctutor::testing {

using WidgetTestMaker = std::unique_ptr<QObject> (*)();

bool registerWidgetTest(const char* name, WidgetTestMaker make);

} // namespace calctutor::testing

#define CALCTUTOR_WIDGET_TEST(TestClass)                                                                               \
    [[maybe_unused]] static const bool registered##TestClass = calctutor::testing::registerWidgetTest(                 \
        #TestClass, []() -> std::unique_ptr<QObject> { return std::make_unique<TestClass>(); })
