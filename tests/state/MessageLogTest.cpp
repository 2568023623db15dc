// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/MessageLog.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

TEST(MessageLog, TraceLinesNeedTheTraceOptionNoticesDoNot)
{
    MessageLog log;
    QSignalSpy added(&log, &MessageLog::lineAdded);
    log.log(QStringLiteral("SetCommPort: open OK for port 1"), QStringLiteral("Y"));
    EXPECT_TRUE(log.text().isEmpty());
    EXPECT_EQ(added.count(), 0) << "a dropped trace line must not open the window";

    log.log(QStringLiteral("ReceiveData: no data received"));
    log.setTraceEnabled(true);
    log.trace(QStringLiteral("Baud rate of 9600 detected"));
    log.log(QStringLiteral("flag other than Y"), QStringLiteral("N"));
    EXPECT_EQ(log.text(), QStringLiteral("ReceiveData: no data received\r\nBaud rate of 9600 detected\r\n"
                                         "flag other than Y\r\n"));
    EXPECT_EQ(added.count(), 3);
}

TEST(MessageLog, PastTheSizeLimitTheNextLineStartsAFreshText)
{
    MessageLog log;
    const QString line(99, QLatin1Char('x'));
    while (log.text().size() <= MessageLog::kSizeLimit)
        log.notice(line);
    const int before = log.text().size();
    EXPECT_GT(before, MessageLog::kSizeLimit);
    QSignalSpy added(&log, &MessageLog::lineAdded);
    log.notice(QStringLiteral("fresh"));
    EXPECT_EQ(log.text(), QStringLiteral("fresh\r\n"));
    ASSERT_EQ(added.count(), 1);
    EXPECT_TRUE(added.at(0).at(1).toBool());
}

} // namespace
