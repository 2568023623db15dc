// Settings files: any content reads, and the next write lands and reads back.
#include "FuzzSupport.h"
#include "app/Settings.h"

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
    settings.getInt(Keys::CommPort);
    settings.getBool(Keys::Autosize);
    check(settings.set(Keys::LastOpened, QStringLiteral("/fuzz/last.950")), "write after a damaged file");
    check(Settings(dir.path()).get(Keys::LastOpened) == QStringLiteral("/fuzz/last.950"), "value reads back");
    return 0;
}
