#pragma once

#include <QObject>

#include <memory>

// The test classes of one test program. Each test source registers its class with MELVORA_TEST; the
// shared main() (TestMain.cpp) runs the set-up steps they name once, then each class in turn.
namespace KivTestRegistry {

using Factory = std::unique_ptr<QObject> (*)();
using SetUp = bool (*)();

// Adds a test class; `setUp`, when given, runs once before the first test (false stops the program).
bool add(Factory make, SetUp setUp = nullptr);
// Runs the set-up steps, then each class through QTest, one object alive at a time; QTest's status.
int runAll(int argc, char **argv);

} // namespace KivTestRegistry

// MELVORA_TEST(Class) or MELVORA_TEST(Class, setUp), at namespace scope after the class.
#define MELVORA_TEST(Class, ...)                                                                          \
    static const bool Class##Registered = KivTestRegistry::add(                                         \
        []() -> std::unique_ptr<QObject> { return std::make_unique<Class>(); } __VA_OPT__(, ) __VA_ARGS__)
