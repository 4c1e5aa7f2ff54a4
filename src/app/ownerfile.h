#pragma once
#include <QByteArray>
#include <QString>

namespace minasel {

// A file the user asked for that carries personal data (a CSV list, a bank
// transfer file): written whole or not at all, readable by its owner only. On
// failure *error says, in Japanese, which file could not be created or written.
bool writeOwnerFile(const QString& path, const QByteArray& bytes, QString* error);

} // namespace minasel
