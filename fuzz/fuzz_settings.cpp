// SPDX-License-Identifier: GPL-3.0-or-later
// Settings files: any content reads, a value reads back as the text stored,
// and the next write lands without a failure notice and reads back.
#include "FuzzSupport.h"
#include "state/Settings.h"

#include <QFile>
#include <QTemporaryDir>

using namespace FuzzSupport;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Quaystone.ini"));
    QFile::remove(ini + QStringLiteral(".unreadable"));
    QFile file(ini);
    if (!file.open(QIODevice::WriteOnly))
        return 0;
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();

    Settings settings(dir.path());
    bool said = false;
    settings.setWriteFailureHandler([&said](const QString&) { said = true; });
    settings.getInt(Keys::CommPort);
    settings.getBool(Keys::Autosize);
    check(settings.get(Keys::UserCommSpeed) == Settings(dir.path()).get(Keys::UserCommSpeed), "stable read");
    check(settings.set(Keys::LastOpened, QStringLiteral("/fuzz/last.950")) && !said,
          "write after a damaged file");
    check(settings.get(Keys::LastOpened) == QStringLiteral("/fuzz/last.950"), "value reads back");
    check(Settings(dir.path()).get(Keys::LastOpened) == QStringLiteral("/fuzz/last.950"), "value reads back");
    return 0;
}
