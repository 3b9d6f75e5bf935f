#include "Fakes.h"

#include <gtest/gtest.h>

void calctutor::testing::reportFakeFailure(const std::string& message)
{
    ADD_FAILURE() << message;
}
