// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SettingsStore.h"

#include <QString>
#include <functional>
#include <optional>

// One value of the program's own store (application Quaystone, section
// "Settings"). A null default means the window's designed value applies
// when the key is missing.
struct SettingKey {
    const char* name;
    const char* defaultValue;
};

// Every key the program keeps under Quaystone / "Settings", declared once.
namespace Keys {
inline constexpr SettingKey HomeDir{"HomeDir", ""};
inline constexpr SettingKey LastOpened{"LastOpened", ""};
inline constexpr SettingKey FirstTime{"FirstTime", "0"};
inline constexpr SettingKey CommPort{"CommPort", "1"};
inline constexpr SettingKey UserCommSpeed{"UserCommSpeed", "38400,N,8,2"};
inline constexpr SettingKey RTS{"RTS", "False"};
inline constexpr SettingKey Log{"Log", "False"};
// The line settings at which the radio last answered; the rate search tries it first.
inline constexpr SettingKey LastCommSpeed{"LastCommSpeed", ""};
// Each channel written is read back and compared with what was sent.
inline constexpr SettingKey VerifyWrites{"VerifyWrites", "True"};
// Device path for port number n (1..16) where ports have no COM names; empty
// keeps the built-in table. CommPortDevice[0] is unused.
inline constexpr SettingKey CommPortDevice[17] = {{"", ""},
                                                  {"CommPortDevice1", ""},
                                                  {"CommPortDevice2", ""},
                                                  {"CommPortDevice3", ""},
                                                  {"CommPortDevice4", ""},
                                                  {"CommPortDevice5", ""},
                                                  {"CommPortDevice6", ""},
                                                  {"CommPortDevice7", ""},
                                                  {"CommPortDevice8", ""},
                                                  {"CommPortDevice9", ""},
                                                  {"CommPortDevice10", ""},
                                                  {"CommPortDevice11", ""},
                                                  {"CommPortDevice12", ""},
                                                  {"CommPortDevice13", ""},
                                                  {"CommPortDevice14", ""},
                                                  {"CommPortDevice15", ""},
                                                  {"CommPortDevice16", ""}};
inline constexpr SettingKey Autosize{"Autosize", "False"};
inline constexpr SettingKey UserChosenColumnWidths{"UserChosenColumnWidths", "False"};
inline constexpr SettingKey GridSize{"GridSize", "Normal"};
inline constexpr SettingKey Column[7] = {{"Column0", "999"}, {"Column1", "960"}, {"Column2", "960"},
                                         {"Column3", "960"}, {"Column4", "960"}, {"Column5", "960"},
                                         {"Column6", "960"}};
inline constexpr SettingKey MemoryWindowState{"MemoryWindowState", "0"};
inline constexpr SettingKey MemoryHeight{"MemoryHeight", nullptr};
inline constexpr SettingKey MemoryWidth{"MemoryWidth", nullptr};
inline constexpr SettingKey MemoryTop{"MemoryTop", nullptr};
inline constexpr SettingKey MemoryLeft{"MemoryLeft", nullptr};
inline constexpr SettingKey ErrorListHeight{"ErrorListHeight", nullptr};
inline constexpr SettingKey ErrorListWidth{"ErrorListWidth", nullptr};
inline constexpr SettingKey ErrorListTop{"ErrorListTop", nullptr};
inline constexpr SettingKey ErrorListLeft{"ErrorListLeft", nullptr};
inline constexpr SettingKey ImportExportTop{"ImportExportTop", nullptr};
inline constexpr SettingKey ImportExportLeft{"ImportExportLeft", nullptr};
// PrintCol[0] is unused so that PrintCol[i] is the key of column i.
inline constexpr SettingKey PrintCol[7] = {{"", ""},           {"PrintCol1", "1"}, {"PrintCol2", "1"},
                                           {"PrintCol3", "1"}, {"PrintCol4", "1"}, {"PrintCol5", "1"},
                                           {"PrintCol6", "1"}};
inline constexpr SettingKey Landscape{"Landscape", "True"};
inline constexpr SettingKey Duplex{"Duplex", "False"};
inline constexpr SettingKey TopMargin{"TopMargin", "Minimum"};
// File > "Recent files", newest first.
inline constexpr SettingKey RecentFile[8] = {{"RecentFile1", ""}, {"RecentFile2", ""}, {"RecentFile3", ""},
                                             {"RecentFile4", ""}, {"RecentFile5", ""}, {"RecentFile6", ""},
                                             {"RecentFile7", ""}, {"RecentFile8", ""}};
} // namespace Keys

// The program's own settings: application Quaystone, section "Settings".
class Settings {
public:
    static constexpr char kApplication[] = "Quaystone";
    static constexpr char kSection[] = "Settings";

    // folder: where the INI file lives; empty means the user's configuration folder.
    explicit Settings(const QString& folder = QString());

    QString get(const SettingKey& key) const;
    // Missing key with a null default gives std::nullopt.
    std::optional<QString> find(const SettingKey& key) const;
    bool getBool(const SettingKey& key) const;
    int getInt(const SettingKey& key) const;
    // A whole number, or fallback when the key is missing or not a number.
    int getInt(const SettingKey& key, int fallback) const;

    bool set(const SettingKey& key, const QString& text);
    bool setBool(const SettingKey& key, bool on);
    bool setInt(const SettingKey& key, int value);

    SettingsStore& store() { return m_store; }
    const SettingsStore& store() const { return m_store; }

    // Changes made while it lives are saved as one rewrite of the file.
    class Batch : public SettingsStore::Batch {
    public:
        explicit Batch(Settings& settings) : SettingsStore::Batch(settings.store()) {}
    };

    // Called with cannotSaveText() on the first save of this object that
    // fails, and never again (SettingsStore::setWriteFailureHandler).
    void setWriteFailureHandler(std::function<void(const QString&)> handler)
    {
        m_store.setWriteFailureHandler(std::move(handler));
    }
    static QString cannotSaveText(const QString& fileName) { return SettingsStore::cannotSaveText(fileName); }

private:
    SettingsStore m_store;
};
