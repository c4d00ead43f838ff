// Entry point of the Qt canvas tests: a GUI application on the offscreen platform, made only
// when the tests run (listing them must work without any display).
#include <QByteArray>
#include <QGuiApplication>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <optional>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    std::optional<QGuiApplication> app;
    if (!GTEST_FLAG_GET(list_tests)) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
        app.emplace(argc, argv);
    }
    return RUN_ALL_TESTS();
}
