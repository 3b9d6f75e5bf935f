#include "Fakes.h"

#include <QtTest>

void calctutor::testing::reportFakeFailure(const std::string& message)
{
    QTest::qFail(message.c_str(), __FILE__, __LINE__);
}
