#pragma once

#include <QString>

#include <stdexcept>

namespace backup {

// Raised inside the backup room; what() is not used: message() is a Turkish
// text that names what is wrong, fit to show as it stands. The public
// functions catch it and hand back results.
class BackupError : public std::runtime_error
{
public:
    explicit BackupError(QString message) : std::runtime_error("backup"), m_message(std::move(message)) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

} // namespace backup
