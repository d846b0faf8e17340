#pragma once
// Where effect settings are saved: sections of integer and Boolean keys. The
// INI implementation writes Booleans as 1 and 0 and reads any non-zero
// integer, "true" or "false"; an unreadable value gives the default.

#include <QSettings>
#include <QString>
#include <memory>
#include <string>

namespace caici {

class KeyValueStore {
public:
    virtual ~KeyValueStore() = default;
    virtual int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const = 0;
    virtual bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const = 0;
    virtual void WriteInteger(const std::string& section, const std::string& key, int value) = 0;
    virtual void WriteBool(const std::string& section, const std::string& key, bool value) = 0;
};

class IniFileStore : public KeyValueStore {
public:
    explicit IniFileStore(const QString& path);

    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const override;
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const override;
    void WriteInteger(const std::string& section, const std::string& key, int value) override;
    void WriteBool(const std::string& section, const std::string& key, bool value) override;

    // Writes pending values to the file; throws caici::Error when it cannot.
    void Flush();

private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace caici
