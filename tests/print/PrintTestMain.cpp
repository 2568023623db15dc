#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

// The print tests measure fonts on printers and build the options window, so
// they need the widget application; offscreen, because discovery runs this
// binary at build time with no display.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
