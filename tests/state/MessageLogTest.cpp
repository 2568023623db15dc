// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/MessageLog.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

TEST(MessageLog, PastTheSizeLimitTheNextLineStartsAFreshText)
{
    MessageLog log;
    const QString line(99, QLatin1Char('x'));
    while (log.text().size() <= MessageLog::kSizeLimit)
        log.notice(line);
    QSignalSpy added(&log, &MessageLog::lineAdded);
    log.notice(QStringLiteral("fresh"));
    EXPECT_EQ(log.text(), QStringLiteral("fresh\r\n"));
    ASSERT_EQ(added.count(), 1);
    EXPECT_TRUE(added.at(0).at(1).toBool());
}

} // namespace
