// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkSetUp.h"

#include "ProgressReporter.h"
#include "model/CatCodec.h"
#include "state/MessageLog.h"
#include "state/Prompter.h"

namespace {
const QString kCrLf = QStringLiteral("\r\n");

enum class IdentityAnswer { Silent, Identity, Other };

IdentityAnswer queryIdentity(CatLink& link)
{
    // send() discards whatever is waiting, so only an answer to this query counts.
    link.send(QString::fromLatin1(CatCodec::kIdQuery));
    const CatLink::Received received = link.receive(CatLink::Expect::identityOrEmpty());
    if (!received)
        return IdentityAnswer::Silent;
    return received.reply->kind == CatLink::Reply::Kind::Identity ? IdentityAnswer::Identity
                                                                  : IdentityAnswer::Other;
}
} // namespace

const QString& LinkSetUp::twoAttemptsText()
{
    static const QString text =
        QStringLiteral("Two attempts to set the CAT rate have failed.") + kCrLf +
        QStringLiteral("Please check your Com port connection and radio power on state.");
    return text;
}

QString LinkSetUp::portUnavailableText(const QString& portLabel, CatLink::Opened why)
{
    QString text = QStringLiteral("COM Port ") + portLabel +
                   QStringLiteral(" is not available. It may be in use by another program.") + kCrLf +
                   QStringLiteral("The requested operation cannot continue.");
    if (why == CatLink::Opened::InUse)
        text += kCrLf + QStringLiteral("The port is in use by another program; close that program "
                                       "and try again.");
#ifndef Q_OS_WIN
    else if (why == CatLink::Opened::NoPermission)
        text += kCrLf + QStringLiteral("On Linux, add your user to the 'dialout' group and log in again.");
#endif
    return text;
}

LinkSetUp::Result LinkSetUp::run(CatLink& link, MessageLog& log, const std::function<bool()>& stopRequested)
{
    const CatLink::Options& options = link.options();
    const auto portFailed = [&](CatLink::Opened why) {
        return Result{Outcome::PortUnavailable, portUnavailableText(link.portLabel(), why), QString()};
    };
    QString userSpeed = options.userSpeed;
    if (CatLink::baudOf(userSpeed) == 0) {
        log.notice(QStringLiteral("The stored Com speed '") + userSpeed +
                   QStringLiteral("' is not one of 4800, 9600, 19200 or 38400; using ") +
                   QString::fromLatin1(CatLink::kDefaultSpeed));
        userSpeed = QString::fromLatin1(CatLink::kDefaultSpeed);
    }

    QString found;
    // A radio left at a slower rate answers the first probe instead of after
    // a time-out at each faster one.
    const QStringList order = CatLink::searchOrder(options.rememberedSpeed);
    for (int pass = 0; pass < 2 && found.isEmpty(); ++pass) {
        for (const QString& rate : order) {
            // A close or a stop click during the search ends it: the radio
            // has been told nothing yet, so nothing needs undoing.
            if (stopRequested && stopRequested()) {
                link.closePort();
                log.trace(QStringLiteral("Link set-up stopped by the user"));
                return {Outcome::Stopped, QString(), QString()};
            }
            // A port that cannot be opened is told once; trying the other
            // rates would only repeat it.
            const CatLink::Opened opened = link.openPort(options.portNumber, rate);
            if (opened != CatLink::Opened::Yes)
                return portFailed(opened);
            const QString baud = rate.section(QLatin1Char(','), 0, 0);
            // An identity that answers a query sent at an earlier rate arrives
            // late, during this one; only a second fresh query at this rate,
            // answered too, shows the radio listens here.
            const IdentityAnswer first = queryIdentity(link);
            if (first == IdentityAnswer::Silent) {
                log.trace(QStringLiteral("Baud rate of ") + baud + QStringLiteral(" not successful"));
            } else if (first == IdentityAnswer::Identity) {
                if (queryIdentity(link) == IdentityAnswer::Identity) {
                    log.trace(QStringLiteral("Baud rate of ") + baud + QStringLiteral(" detected"));
                    found = rate;
                    break;
                }
                log.trace(QStringLiteral("Baud rate of ") + baud +
                          QStringLiteral(" not confirmed; the identity came from an earlier query"));
            }
        }
        if (found.isEmpty())
            link.closePort();
    }
    if (found.isEmpty())
        return {Outcome::NoRadio, twoAttemptsText(), QString()};

    log.trace(QStringLiteral("Turning off Auto Information"));
    link.send(QString::fromLatin1(CatCodec::kAutoInfoOff));
    log.trace(QStringLiteral("Setting Com speed to ") + userSpeed);
    link.send(CatCodec::catRateCommand(userSpeed));
    link.closePort();
    const CatLink::Opened reopened = link.openPort(options.portNumber, userSpeed);
    if (reopened != CatLink::Opened::Yes) {
        Result result = portFailed(reopened);
        result.answeredRate = found;
        return result;
    }
    return {Outcome::Ready, QString(), found};
}

void LinkSetUp::tell(Prompter& prompter, const Result& result)
{
    if (result.outcome == Outcome::PortUnavailable)
        prompter.inform(result.message, Prompter::Icon::Exclamation);
    else if (result.outcome == Outcome::NoRadio)
        prompter.inform(result.message);
}

LinkSetUp::Result LinkSetUp::runForTransfer(CatLink& link, MessageLog& log, Prompter& prompter,
                                            ProgressReporter& progress)
{
    progress.clearStopRequest();
    const Result result = run(link, log, [&progress] { return progress.stopRequested(); });
    if (!result.ready() && result.outcome != Outcome::Stopped)
        tell(prompter, result);
    return result;
}
