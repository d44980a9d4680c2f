#pragma once

#include "core/model/ZarvaException.h"

#include <gtest/gtest.h>

#include <functional>

namespace zarva::test {

// The error `action` raises; a test failure and an error of message 0 when it raises none.
inline CZarvaException ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const CZarvaException& error) {
        return error;
    }
    ADD_FAILURE() << "no error";
    return CZarvaException(0);
}

} // namespace zarva::test
