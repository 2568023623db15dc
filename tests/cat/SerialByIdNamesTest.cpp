// SPDX-License-Identifier: GPL-3.0-or-later
#include "cat/SerialByIdNames.h"
#include "files/FileTestSupport.h"

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
        for (const char* device : {"ttyUSB0", "ttyUSB1", "ttyACM0"})
            ASSERT_TRUE(FileTestSupport::writeBytes(dev(device), QByteArray()));
        link(QStringLiteral("../../ttyUSB0"), byId("usb-Alpha_Cable_A1-if00-port0"));
        link(dev("ttyACM0"), byId("usb-Beta_Modem_B2-if00"));
        link(QStringLiteral("../../ttyACM0"), byId("usb-Zeta_Modem_Z9-if00"));
        link(QStringLiteral("../../ttyUSB9"), byId("usb-Gone_Cable-if00-port0"));
        link(dev("ttyUSB0"), root.filePath(QStringLiteral("radio")));
        ASSERT_TRUE(FileTestSupport::writeBytes(byId("not-a-link"), QByteArray()));
    }

    QString dev(const char* name) const
    {
        return root.filePath(QStringLiteral("dev/") + QLatin1String(name));
    }
    QString byId(const char* name) const { return folder() + QLatin1Char('/') + QLatin1String(name); }
    QString folder() const { return root.filePath(QStringLiteral("dev/serial/by-id")); }
    static void link(const QString& target, const QString& at) { ASSERT_TRUE(QFile::link(target, at)); }

    QTemporaryDir root;
};

TEST_F(SerialByIdNamesTest, FindsTheStableNameOfADevice)
{
    const QString none; // no stable name
    const struct {
        const char* why;
        QString device, expected, folder;
    } cases[] = {
        {"a relative link, as udev makes them", dev("ttyUSB0"), byId("usb-Alpha_Cable_A1-if00-port0"),
         folder()},
        {"two links to one device: the first by name", dev("ttyACM0"), byId("usb-Beta_Modem_B2-if00"),
         folder()},
        {"a device reached through a link of its own", root.filePath(QStringLiteral("radio")),
         byId("usb-Alpha_Cable_A1-if00-port0"), folder()},
        {"a device no link leads to", dev("ttyUSB1"), none, folder()},
        {"a device that is not there, though a dangling link names it", dev("ttyUSB9"), none, folder()},
        {"a device already named by its stable name", byId("usb-Beta_Modem_B2-if00"), none, folder()},
        {"a plain file in the folder is no link", byId("not-a-link"), none, folder()},
        {"no device", none, none, folder()},
        {"no folder", dev("ttyUSB0"), none, root.filePath(QStringLiteral("none"))},
        {"no folder named", dev("ttyUSB0"), none, none},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SerialByIdNames::stableName(c.device, c.folder), c.expected) << c.why;
}

} // namespace
