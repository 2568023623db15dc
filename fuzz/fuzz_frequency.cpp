// SPDX-License-Identifier: GPL-3.0-or-later
// The frequency reader: an accepted text is the normal form of an in-range
// value that reads back the same; a refused one stays as typed. A quiet
// check speaks only of a number too large to convert.
#include "FuzzSupport.h"
#include "state/OutcomePresenter.h"

using namespace FuzzSupport;

namespace {
class QuietPrompter : public YesPrompter {
public:
    Answer ask(const QString& text, Buttons, Icon, const QString&) override
    {
        check(text.startsWith(QLatin1String(OutcomePresenter::kConversionError)), "a quiet check spoke");
        return Answer::Ok;
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    chooseDecimalMark(bytes);
    const QString typed = QString::fromUtf8(bytes.mid(1));
    const std::optional<qint32> parsed = Frequency::parse(typed);
    if (parsed && *parsed >= 0)
        check(Frequency::parse(Frequency::format(*parsed)) == parsed, "format reads back");
    QuietPrompter prompter;
    QString text = typed;
    const Frequency::Reading reading = Frequency::check(text);
    const qint32 value = reading.value;
    if (!OutcomePresenter::show(prompter, reading, true)) {
        check(text == typed, "refused text changed");
        return 0;
    }
    check(wellFormedFreq(text, false), "normal form");
    check(value >= Frequency::kRadioLow && value <= Frequency::kRadioHigh, "in range");
    check(Frequency::parse(text) == value, "reads back");
    return 0;
}
