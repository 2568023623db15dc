// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <gtest/gtest.h>
#include <memory>

// Runs code under a locale whose decimal mark is "." (English) or ","
// (German), and puts the previous default back afterwards.
class ScopedDecimalMark {
public:
    explicit ScopedDecimalMark(const QString& mark);
    ~ScopedDecimalMark();
    ScopedDecimalMark(const ScopedDecimalMark&) = delete;
    ScopedDecimalMark& operator=(const ScopedDecimalMark&) = delete;

private:
    QLocale m_previous;
};

// A number written with "." in the test, shown with the current decimal mark.
QString local(const char* text);

// Base for test suites that must pass under both decimal marks.
class DecimalMarkTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override { m_mark = std::make_unique<ScopedDecimalMark>(QString::fromLatin1(GetParam())); }
    void TearDown() override { m_mark.reset(); }

private:
    std::unique_ptr<ScopedDecimalMark> m_mark;
};

#define QUAYSTONE_BOTH_DECIMAL_MARKS(Suite)                                                                \
    INSTANTIATE_TEST_SUITE_P(DecimalMarks, Suite, ::testing::Values(".", ","),                             \
                             [](const ::testing::TestParamInfo<const char*>& mark) {                      \
                                 return std::string(mark.param[0] == '.' ? "Point" : "Comma");            \
                             })
