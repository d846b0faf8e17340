#pragma once
// Where effect settings are saved: sections of integer and Boolean keys. The
// INI implementation keeps a file as it was written by hand (ini_document.h)
// and changes only the values it writes. It writes Booleans as 1 and 0 and
// reads any integer (non-zero is true), "true" or "false"; integers may be
// decimal or hexadecimal after "0x" or "$", as hand-written files give
// colours. An unreadable value gives the default.

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "effecttext/ini_document.h"

namespace caici {

class KeyValueStore {
public:
    virtual ~KeyValueStore() = default;
    virtual int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const = 0;
    virtual bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const = 0;
    virtual void WriteInteger(const std::string& section, const std::string& key, int value) = 0;
    virtual void WriteBool(const std::string& section, const std::string& key, bool value) = 0;
};

// Settings files are a few kilobytes; a larger file is not one.
inline constexpr std::int64_t kMaxIniFileBytes = 1 << 20;

class IniFileStore : public KeyValueStore {
public:
    // Reads the file at path; a missing file reads as empty and is created
    // by Flush. Throws caici::Error when path names something other than a
    // regular file, a file larger than kMaxIniFileBytes or one it cannot read.
    explicit IniFileStore(const QString& path);

    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const override;
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const override;
    void WriteInteger(const std::string& section, const std::string& key, int value) override;
    void WriteBool(const std::string& section, const std::string& key, bool value) override;

    std::optional<std::string> ReadString(const std::string& section, const std::string& key) const;
    // The section names in file order.
    std::vector<std::string> Sections() const { return document_.Sections(); }

    // Writes the file (replacing it whole, never half-written); throws
    // caici::Error when it cannot.
    void Flush();

private:
    QString path_;
    IniDocument document_;
};

}  // namespace caici
