// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutcomePresenter.h"

#include "Prompter.h"

namespace OutcomePresenter {

bool show(Prompter& prompter, const Frequency::Reading& reading, bool quiet)
{
    if (reading.accepted || !reading.error)
        return reading.accepted;
    switch (*reading.error) {
    case Frequency::Error::NotConvertible:
        prompter.inform(QString::fromLatin1(kConversionError) + reading.text, Prompter::Icon::Exclamation);
        break;
    case Frequency::Error::NotNumeric:
        if (!quiet)
            prompter.inform(QString::fromLatin1(kNotNumeric), Prompter::Icon::Exclamation);
        break;
    case Frequency::Error::OutOfRange:
        if (!quiet)
            prompter.inform(QString::fromLatin1(kOutOfRange), Prompter::Icon::Exclamation);
        break;
    }
    return false;
}

void show(Prompter& prompter, const QVector<Frequency::Reading>& readings)
{
    for (const Frequency::Reading& reading : readings)
        show(prompter, reading);
}

bool show(Prompter& prompter, const RuleSet::BandCheck& check)
{
    show(prompter, check.reading);
    if (!check.allowed) {
        prompter.inform(
            QStringLiteral("The frequency of '") + check.text +
            QStringLiteral("' is not acceptable. Valid ranges in MHz are:\r\n"
                           "29 - 30, 50 - 52, 145 - 147 and 430 - 450.\r\n"
                           " If your local rules are outside these limits please contact the author."));
    }
    return check.allowed;
}

} // namespace OutcomePresenter
