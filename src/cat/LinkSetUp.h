// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CatLink.h"

#include <QString>

#include <functional>

class MessageLog;
class ProgressReporter;
class Prompter;

// The set-up every transfer begins with: finds the radio's baud rate,
// switches its automatic information off and moves it to the user's CAT
// speed, leaving the port open at that speed. It words what the user is to
// be told when that fails; the caller shows it.
class LinkSetUp {
public:
    enum class Outcome {
        Ready,           // the port is open at the user's speed
        PortUnavailable, // the port could not be opened; message says why
        NoRadio,         // the radio answered at no rate, twice; message says so
        Stopped,         // a stop was asked for during the search; nothing to tell
    };
    struct Result {
        Outcome outcome = Outcome::NoRadio;
        QString message;
        // The line settings the radio answered the identity at; empty when
        // none. The caller keeps it for the next search.
        QString answeredRate;
        bool ready() const { return outcome == Outcome::Ready; }
    };

    static const QString& twoAttemptsText();
    static QString portUnavailableText(const QString& portLabel, CatLink::Opened why);

    // stopRequested, when given, is asked before each rate is tried: a stop
    // ends the set-up at once with the port closed.
    static Result run(CatLink& link, MessageLog& log, const std::function<bool()>& stopRequested = {});
    // Shows a failed set-up's message: the port's with an exclamation mark,
    // the radio's missing answer plain. Nothing for a stop.
    static void tell(Prompter& prompter, const Result& result);
    // A transfer's set-up: a stop asked for from here on (a click, closing
    // the window) ends it, and a failure other than a stop is shown.
    static Result runForTransfer(CatLink& link, MessageLog& log, Prompter& prompter,
                                 ProgressReporter& progress);
};
