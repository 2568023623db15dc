// SPDX-License-Identifier: GPL-3.0-or-later
#include "cat/SerialByIdNames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A stand-in for /dev: plain files as devices, and a by-id folder of links
// to them, relative as udev makes them and absolute.
class SerialByIdNamesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("dev/serial/by-id")));
        for (const char* device : {"ttyUSB0", "ttyUSB1", "ttyACM0"}) {
            QFile file(dev(QString::fromLatin1(device)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        link(QStringLiteral("../../ttyUSB0"), byId(QStringLiteral("usb-Alpha_Cable_A1-if00-port0")));
        link(dev(QStringLiteral("ttyACM0")), byId(QStringLiteral("usb-Beta_Modem_B2-if00")));
        link(QStringLiteral("../../ttyACM0"), byId(QStringLiteral("usb-Zeta_Modem_Z9-if00")));
        link(QStringLiteral("../../ttyUSB9"), byId(QStringLiteral("usb-Gone_Cable-if00-port0")));
        link(dev(QStringLiteral("ttyUSB0")), root.filePath(QStringLiteral("radio")));
        QFile plain(byId(QStringLiteral("not-a-link")));
        ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    }

    QString dev(const QString& name) const { return root.filePath(QStringLiteral("dev/") + name); }
    QString byId(const QString& name) const { return folder() + QLatin1Char('/') + name; }
    QString folder() const { return root.filePath(QStringLiteral("dev/serial/by-id")); }
    static void link(const QString& target, const QString& at) { ASSERT_TRUE(QFile::link(target, at)); }

    QTemporaryDir root;
};

TEST_F(SerialByIdNamesTest, FindsTheStableNameOfADevice)
{
    struct Case {
        const char* why;
        QString device;
        QString expected;
    };
    const Case cases[] = {
        {"a relative link, as udev makes them", dev(QStringLiteral("ttyUSB0")),
         byId(QStringLiteral("usb-Alpha_Cable_A1-if00-port0"))},
        {"two links to one device: the first by name", dev(QStringLiteral("ttyACM0")),
         byId(QStringLiteral("usb-Beta_Modem_B2-if00"))},
        {"a device reached through a link of its own", root.filePath(QStringLiteral("radio")),
         byId(QStringLiteral("usb-Alpha_Cable_A1-if00-port0"))},
        {"a device no link leads to", dev(QStringLiteral("ttyUSB1")), QString()},
        {"a device that is not there, though a dangling link names it", dev(QStringLiteral("ttyUSB9")),
         QString()},
        {"a device already named by its stable name", byId(QStringLiteral("usb-Beta_Modem_B2-if00")),
         QString()},
        {"a plain file in the folder is no link", byId(QStringLiteral("not-a-link")), QString()},
        {"no device", QString(), QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SerialByIdNames::stableName(c.device, folder()), c.expected) << c.why;
}

TEST_F(SerialByIdNamesTest, NoFolderMeansNoStableNames)
{
    EXPECT_EQ(
        SerialByIdNames::stableName(dev(QStringLiteral("ttyUSB0")), root.filePath(QStringLiteral("none"))),
        QString());
    EXPECT_EQ(SerialByIdNames::stableName(dev(QStringLiteral("ttyUSB0")), QString()), QString());
}

} // namespace
